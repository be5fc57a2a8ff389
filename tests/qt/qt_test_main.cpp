#include "qt/platform/translations.h"

#include <QApplication>
#include <gtest/gtest.h>

// Widgets need one application object for the whole run; tests run offscreen, and see Qt's own
// texts in Chinese as the program's users do.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    qtui::loadQtChinese();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
