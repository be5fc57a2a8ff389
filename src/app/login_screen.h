#pragma once

#include "app/app.h"

namespace app {

// The login screen: the user list when it opens, log in (the button and Enter in the password
// box), and cancel.
void bindLoginScreen(App& app);

} // namespace app
