// Renders each of the seven screens offscreen, with sample rows in its lists, to a PNG, so that
// a person can compare the screens with their layouts without running the program.
// Usage: render_screens [output directory, default "screens"]

#include "qt/look/looks.h"
#include "qt/platform/dialogs.h"
#include "qt/qt_desktop.h"
#include "ui/screens/screens.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <functional>

namespace {

// Sample content where a screen's lists start empty: a few rows in every list view and a menu
// of two groups, the first one open.
void fillSamples(ui::Window& window) {
    for (const auto& control : window.controls()) {
        if (auto* list = dynamic_cast<ui::ListView*>(control.get());
            list && list->rowCount() == 0) {
            for (int row = 0; row < 3; ++row) {
                list->insertRow("示例" + std::to_string(row + 1));
                for (int column = 1; column < list->columnCount(); ++column)
                    list->setCellText(row, column, std::to_string((row + 1) * 10 + column));
            }
        }
        if (auto* bar = dynamic_cast<ui::OutlookBar*>(control.get())) {
            if (bar->groupCount() == 0) {
                bar->addItem("拍黄瓜/8元", bar->addGroup("凉菜"));
                bar->addItem("夫妻肺片/22元", 0);
                bar->addItem("鱼香肉丝/28元", bar->addGroup("热菜"));
            }
            bar->setCurrentGroup(0);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QDir output(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens"));
    if (!QDir().mkpath(output.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(output.path()));
        return 1;
    }

    qtui::SystemDialogs dialogs;
    qtui::QtDesktop desktop(dialogs);
    qtui::applyLook(0);
    const std::vector<std::function<ui::WindowDef()>> screens{
        ui::screens::mainWindow,
        ui::screens::loginScreen,
        ui::screens::orderScreen,
        ui::screens::checkoutScreen,
        ui::screens::recordsScreen,
        ui::screens::userSettingsScreen,
        ui::screens::restaurantSettingsScreen,
    };
    int failures = 0;
    for (const auto& definition : screens) {
        ui::Window window(definition());
        window.open(desktop);
        fillSamples(window);
        QApplication::processEvents();
        const QString file = output.filePath(QString::fromStdString(window.name()) + ".png");
        if (desktop.view(window)->grab().save(file)) {
            std::printf("%s\n", qPrintable(file));
        } else {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
        }
        window.close();
    }
    return failures == 0 ? 0 : 1;
}
