#include "app/work_screens.h"

namespace app {

void placeOverMainWindow(App& app, ui::Window& screen) {
    screen.setLeft(app.mainWindow.left());
    screen.setTop(app.mainWindow.top() + 105);
}

std::array<ui::Window*, 5> workScreens(App& app) {
    return {&app.orderScreen, &app.checkoutScreen, &app.recordsScreen, &app.dayCloseScreen,
            &app.reportsScreen};
}

void closeWorkScreens(App& app) {
    for (ui::Window* screen : workScreens(app))
        screen->close();
}

} // namespace app
