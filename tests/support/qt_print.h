#pragma once

#include <ostream>

#include <QString>

// Failed comparisons show the text, not its UTF-16 code units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
