// A second start of the program while a first copy runs: the probe process plays the second copy,
// this process runs the whole program as the first.

#include "qt/real_program.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using testing_support::clickButton;
using testing_support::ProgramScript;
using testing_support::runRealProgram;
using testing_support::ScriptedDialogs;

// Another program's window holds the focus when the second copy starts. Offscreen there is no
// other program, so a window of this process, belonging to none of the program's, stands in.
class OtherProgram {
public:
    OtherProgram() {
        window_.setWindowTitle(QStringLiteral("another program"));
        window_.resize(200, 100);
        window_.show();
        window_.activateWindow();
        active_ = QTest::qWaitForWindowActive(&window_);
    }
    bool hasFocus() const { return active_ && QApplication::activeWindow() == &window_; }

private:
    QWidget window_;
    bool active_ = false;
};

// Starts the second copy and waits until the first has answered it by taking the focus from the
// other program. The first copy keeps handling events meanwhile, as it would when running.
void startSecondCopy(const QString& key, const OtherProgram& other) {
    ASSERT_TRUE(other.hasFocus());
    QProcess probe;
    QSignalSpy finished(&probe, &QProcess::finished);
    probe.start(QStringLiteral(VELTRANO_SINGLE_INSTANCE_PROBE), {key});
    ASSERT_TRUE(probe.waitForStarted(5000));
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(probe.exitCode(), 3) << "the second copy found the first and ended";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !other.hasFocus(); }, 3000))
        << "the first copy never came forward";
}

struct Seen {
    bool visible = false;
    bool minimised = false;
    bool active = false;
};

Seen seen(const QWidget* window) {
    if (window == nullptr) return {};
    return {window->isVisible(), window->isMinimized(), QApplication::activeWindow() == window};
}

// Before the first login the main window is an empty frame: no user, clock, announcement or
// permission gates yet. Only the login may come forward.
TEST(PlatformActivation, AtTheFirstLoginOnlyTheLoginComesForward) {
    ScriptedDialogs dialogs;
    ProgramScript script;
    Seen login, main;
    bool mainWasHidden = false;
    script.atFirstLogin = [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        QWidget* mainView = desktop.view(veltrano.mainWindow);
        mainWasHidden = mainView != nullptr && !mainView->isVisible();
        OtherProgram other;
        startSecondCopy(script.instanceKey, other);
        login = seen(desktop.view(veltrano.loginScreen));
        main = seen(mainView);
    };
    script.atMainWindow = [&](qtui::QtDesktop&, app::App& veltrano) {
        EXPECT_EQ(veltrano.currentUser.name, "管理员") << "the login still works afterwards";
    };
    EXPECT_EQ(runRealProgram(dialogs, script), 0);

    ASSERT_TRUE(mainWasHidden);
    EXPECT_TRUE(login.visible);
    EXPECT_FALSE(login.minimised);
    EXPECT_TRUE(login.active);
    EXPECT_FALSE(main.visible) << "the empty main window appeared";
    EXPECT_TRUE(dialogs.messages.empty());
}

// The cashier left the program behind another one, minimised it with its own button, or left it
// at a user switch, whose login blocks the main window: that login is where work goes on, so it
// takes the focus, with the main window restored under it.
TEST(PlatformActivation, ARunningCopyComesForwardRestoredWithItsLoginOnTop) {
    ScriptedDialogs dialogs;
    ProgramScript script;
    Seen behind, minimised, switchLogin, switchMain;
    bool wasMinimised = false;
    script.atMainWindow = [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        QWidget* main = desktop.view(veltrano.mainWindow);
        {
            OtherProgram other;
            startSecondCopy(script.instanceKey, other);
            behind = seen(main);
        }
        {
            clickButton(desktop, veltrano.mainWindow, "按钮2");
            wasMinimised = main->isMinimized();
            OtherProgram other;
            startSecondCopy(script.instanceKey, other);
            minimised = seen(main);
        }
        // The login runs its own loop: the second copy starts from within it.
        QTimer::singleShot(50, [&] {
            // Blocked by the login, the main window can still be minimised from the taskbar.
            desktop.minimise(veltrano.mainWindow);
            {
                OtherProgram other;
                startSecondCopy(script.instanceKey, other);
                switchLogin = seen(desktop.view(veltrano.loginScreen));
                switchMain = seen(main);
            }
            clickButton(desktop, veltrano.loginScreen, "按钮_取消");
        });
        testing_support::chooseToolbarEntry(desktop, veltrano, "切换用户");
    };
    EXPECT_EQ(runRealProgram(dialogs, script), 0);

    EXPECT_TRUE(behind.visible);
    EXPECT_FALSE(behind.minimised);
    EXPECT_TRUE(behind.active);
    ASSERT_TRUE(wasMinimised);
    EXPECT_TRUE(minimised.visible);
    EXPECT_FALSE(minimised.minimised);
    EXPECT_TRUE(minimised.active);
    EXPECT_TRUE(switchLogin.visible);
    EXPECT_TRUE(switchLogin.active);
    EXPECT_TRUE(switchMain.visible);
    EXPECT_FALSE(switchMain.minimised);
}

} // namespace
