#include "app/work_screens.h"

#include "app/permissions.h"

namespace app {

void placeOverMainWindow(App& app, ui::Window& screen) {
    screen.setLeft(app.mainWindow.left());
    screen.setTop(app.mainWindow.top() + 105);
}

void bindWorkScreens(App& app) {
    for (ui::Window* screen : {&app.orderScreen, &app.checkoutScreen, &app.recordsScreen}) {
        screen->definition().on.created = [&app, screen] {
            placeOverMainWindow(app, *screen);
            applyGates(app, *screen);
        };
    }
    app.restaurantSettingsScreen.definition().on.created = [&app] {
        applyGates(app, app.restaurantSettingsScreen);
    };
}

} // namespace app
