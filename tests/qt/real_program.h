#pragma once

#include "app/app.h"
#include "qt/qt_desktop.h"
#include "scripted_dialogs.h"
#include "typing.h"

#include <QUuid>
#include <functional>

namespace testing_support {

using ProgramStep = std::function<void(qtui::QtDesktop&, app::App&)>;

// What a test does in a run of the real program besides logging in and closing it.
struct ProgramScript {
    // The single-instance key of the run: a second copy started with it finds this one. Unique
    // per run, so that a test never meets a running program or another run.
    QString instanceKey = QStringLiteral("VeltranoTest-") + QUuid::createUuid().toString();
    // Once the login screen of the first login shows, before anything is typed into it.
    ProgramStep atFirstLogin;
    // Once the main window shows after the login.
    ProgramStep atMainWindow;
    // The text of veltrano.conf beside the program, when it is to have one: the data on a server.
    std::string configuration;
};

// Runs the whole program on real widgets offscreen over a fresh copy of the delivered database:
// the administrator logs in by typing the password and pressing Enter, the script's steps run
// on the way, and the main window's close button ends the run. Gives the exit code; the run is
// cut short after 20 seconds so that a fault never hangs the suite.
int runRealProgram(ScriptedDialogs& dialogs, const ProgramScript& script);
int runRealProgram(ScriptedDialogs& dialogs, const ProgramStep& atMainWindow);

// The named widget of an open window.
template <typename W>
W* widgetOf(qtui::QtDesktop& desktop, const ui::Window& window, const char* name) {
    QWidget* view = desktop.view(window);
    return view ? view->findChild<W*>(QString::fromUtf8(name)) : nullptr;
}

// Acts as a person on the open windows: a toolbar entry of the main window, a push button, a group
// header of an outlook bar, an item of its open group (false when there is no such item).
void chooseToolbarEntry(qtui::QtDesktop& desktop, app::App& veltrano, const char* text);
void clickButton(qtui::QtDesktop& desktop, const ui::Window& window, const char* name);
void openMenuGroup(qtui::QtDesktop& desktop, const ui::Window& window, const char* bar,
                   const char* title);
bool clickMenuItem(qtui::QtDesktop& desktop, const ui::Window& window, const char* bar,
                   const char* text);

// The texts of an outlook bar's group headers and of its open group's items.
QStringList menuGroupTitles(qtui::QtDesktop& desktop, const ui::Window& window, const char* bar);
QStringList menuItems(qtui::QtDesktop& desktop, const ui::Window& window, const char* bar);

} // namespace testing_support
