#pragma once

#include <QApplication>
#include <QtTest>

// Test executables run with the offscreen platform, which ctest sets. The
// windows under test are the program's own, set up as the program sets them.
#define ZEGEROOSTER_GUI_TEST_MAIN(TestClass)                                                       \
    int main(int argc, char** argv) {                                                              \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
