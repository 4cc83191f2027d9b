#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace v5::test {

// Serial ports and child processes want an application object; GoogleTest's main makes none. It lives
// until the process ends: destroying it among the static destructors would outlive Qt's own statics.
inline void ensureCoreApplication() {
    static int argc = 1;
    static char name[] = "v5-tests";
    static char* argv[] = {name, nullptr};
    // QCoreApplication::instance() keeps it.
    if (QCoreApplication::instance() == nullptr) (void)new QCoreApplication(argc, argv);
}

// For a test file: ::testing::AddGlobalTestEnvironment(new test::CoreApplicationEnvironment).
class CoreApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ensureCoreApplication(); }
};

}  // namespace v5::test
