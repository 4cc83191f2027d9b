#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "compare/configuration_diff.h"
#include "image/image.h"

namespace v5 {

// A mistake found in a configuration. Errors are what the panel cannot work with as meant (a loop in
// two zones, a key it will not recognise, two modules in one role); warnings are what works but is
// likely not meant, or what the next pane reset will erase.
struct Problem {
    enum class Severity { Error, Warning };

    Severity severity;
    Subsystem subsystem;
    QString subject;  // "шлейф 5", "ключ 012", "МС3"
    QString text;     // what is wrong, in the installer's terms

    QString line() const;  // "ошибка: шлейф 5: входит в зоны 1, 3"
    friend bool operator==(const Problem&, const Problem&) = default;
};

// Checks the configuration area of an image as it stands (no pane reset, no sweep). Errors come first,
// then warnings, each group in the order of the subsystems.
std::vector<Problem> checkConfiguration(const Image& image);

bool hasErrors(const std::vector<Problem>& problems);
QStringList problemLines(const std::vector<Problem>& problems);
// A JSON array of objects (severity, subsystem, subject, text, line).
QByteArray problemJson(const std::vector<Problem>& problems);

}  // namespace v5
