#pragma once

#include "platform/Application.h"

#include <QTest>

// main() for tests that create windows: the same process set-up as the
// program (the browser engine needs it before the application object exists).
#define PETATTO_WIDGET_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        platform::Application application(argc, argv);                                             \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
