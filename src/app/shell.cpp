#include "app/shell.h"

#include "app/login_screen.h"
#include "app/main_window.h"

namespace app {

void bindShell(App& app) {
    bindLoginScreen(app);
    bindMainWindow(app);
}

} // namespace app
