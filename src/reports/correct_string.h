#pragma once

#include <QString>

namespace v5 {

// Range compression of a trailing number list: "Шлейфы:1,2,3,5,6,9," becomes "Шлейфы: 1-3,5-6,9".
// The tail is the longest run of blanks, commas and digits at the end of the line; digits after the
// last comma are dropped, and a line without a tail comes back unchanged.
QString correct_string(const QString& line);

}  // namespace v5
