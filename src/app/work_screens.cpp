#include "app/work_screens.h"

namespace app {

void placeOverMainWindow(App& app, ui::Window& screen) {
    screen.setLeft(app.mainWindow.left());
    screen.setTop(app.mainWindow.top() + 105);
}

} // namespace app
