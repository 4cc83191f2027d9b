#pragma once

#include <QString>

namespace v5 {

// Shows a written text file to the user in the system's text editor; the program does not wait.
// The window opens it with QDesktopServices; tests record the call.
class TextViewer {
public:
    virtual ~TextViewer() = default;
    // False when no program could be started for it.
    virtual bool open(const QString& path) = 0;
};

}  // namespace v5
