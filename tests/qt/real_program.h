#pragma once

#include "app/app.h"
#include "qt/qt_desktop.h"
#include "scripted_dialogs.h"

#include <functional>

namespace testing_support {

// Runs the whole program on real widgets offscreen over a fresh copy of the delivered database:
// the administrator logs in by typing the password and pressing Enter, then `atMainWindow` runs
// once the main window shows, and the main window's close button ends the run. Gives the exit
// code; the run is cut short after 20 seconds so that a fault never hangs the suite.
int runRealProgram(ScriptedDialogs& dialogs,
                   const std::function<void(qtui::QtDesktop&, app::App&)>& atMainWindow);

// The named widget of an open window.
template <typename W>
W* widgetOf(qtui::QtDesktop& desktop, const ui::Window& window, const char* name) {
    QWidget* view = desktop.view(window);
    return view ? view->findChild<W*>(QString::fromUtf8(name)) : nullptr;
}

} // namespace testing_support
