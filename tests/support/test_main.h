#pragma once

// The main function of every test program: like Qt Test's own, but the
// private home folder (TestHome) is made before the application object and
// the first test function, and removed after the last.

#include "test_main.h"
#include "test_home.h"
#include "test_main.h"

#include <QtTest>

// With a QApplication (widget tests) or, without Qt Widgets, a QGuiApplication.
#define GRIDMOOR_TEST_MAIN(TestObject) \
    QTEST_MAIN_WRAPPER(TestObject, const TestHome gridmoorTestHome; QTEST_MAIN_SETUP())

// With a QCoreApplication.
#define GRIDMOOR_TEST_GUILESS_MAIN(TestObject) \
    QTEST_MAIN_WRAPPER(TestObject, const TestHome gridmoorTestHome; QTEST_QAPP_SETUP(QCoreApplication))

// Without an application object.
#define GRIDMOOR_TEST_APPLESS_MAIN(TestObject) QTEST_MAIN_WRAPPER(TestObject, const TestHome gridmoorTestHome;)
