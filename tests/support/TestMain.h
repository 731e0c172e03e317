#pragma once

#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

// Test executables run with the offscreen platform, which ctest sets. No
// message service is installed here: until a test installs ScriptedMessages,
// every question is cancelled unseen, so no test can wait on a real box.
#define ZEGEROOSTER_GUI_TEST_MAIN(TestClass)                                                       \
    int main(int argc, char** argv) {                                                              \
        QApplication app(argc, argv);                                                              \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
