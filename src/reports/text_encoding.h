#pragma once

#include <stdexcept>

#include <QByteArray>
#include <QStringList>

namespace v5 {

// How a text export is written: the panel's own Windows-1251 with CR LF, or UTF-8 with LF for
// terminals and scripts.
enum class TextFormat { Windows1251CrLf, Utf8Lf };

// The encoding is missing from this Qt build, or the text holds a character it cannot carry.
class TextEncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every line followed by its line end. Throws TextEncodingError rather than write a damaged file.
QByteArray encodeLines(const QStringList& lines, TextFormat format);

// The lines as one text with LF line ends, for a destination that takes characters, not bytes.
QString joinLines(const QStringList& lines);

}  // namespace v5
