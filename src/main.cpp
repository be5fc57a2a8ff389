// Veltrano: the front desk of a small restaurant. It takes no options; its database is cysj.db
// beside the executable.

#include "app/app.h"
#include "program/program.h"
#include "qt/platform/dialogs.h"
#include "qt/platform/printer_factory.h"
#include "qt/platform/translations.h"
#include "qt/qt_desktop.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrano"));
    qtui::loadQtChinese();
    qtui::SystemDialogs dialogs;
    qtui::QtDesktop desktop(dialogs); // outlives the windows of the app below
    app::App veltrano(desktop);
    program::bindScreens(veltrano, qtui::openPrinter);
    return veltrano.run();
}
