#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>

#include "support/test_environment.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testsupport::IsolateFromUserHome();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
