#pragma once

#include <memory>

#include <QCoreApplication>

namespace v5::test {

// Serial ports and child processes want an application object; GoogleTest's main makes none.
inline void ensureCoreApplication() {
    static int argc = 1;
    static char name[] = "v5-tests";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) app = std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace v5::test
