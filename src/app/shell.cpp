#include "app/shell.h"

#include "app/login_screen.h"
#include "app/main_window.h"
#include "app/work_screens.h"

namespace app {

void bindShell(App& app) {
    bindLoginScreen(app);
    bindMainWindow(app);
    bindWorkScreens(app);
}

} // namespace app
