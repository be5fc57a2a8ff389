#pragma once

#include "qt/platform/dialogs.h"
#include "qt/platform/single_instance.h"
#include "qt/window_view.h"
#include "ui/desktop.h"

#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <map>
#include <memory>

namespace qtui {

// The real desktop: the model's windows as Qt widgets, dialogs through the given seam, timers,
// the looks, the single-instance guard, the system clock and the executable's directory.
class QtDesktop final : public ui::Desktop {
public:
    // The program's directory is the executable's unless one is given; tests give their own, and
    // a guard key of their own so that they never meet a running program.
    explicit QtDesktop(Dialogs& dialogs, std::filesystem::path programDirectory = {},
                       const QString& instanceKey = SingleInstance::defaultKey());
    ~QtDesktop() override;

    // The view of an open window; none for a closed one.
    WindowView* view(const ui::Window& window) const;
    // The clock the program reads from now on instead of the system's; it must outlive this.
    void useClock(const support::Clock& clock) { clock_ = &clock; }

    ui::ScreenSize screenSize() const override;
    void createView(ui::Window& window) override;
    void showView(ui::Window& window) override;
    void destroyView(ui::Window& window) override;
    void runUntilClosed(ui::Window& window) override;
    void moveView(ui::Window& window) override;
    void controlChanged(ui::Control& control, ui::Change change) override;
    void menuChanged(ui::Window&) override {}
    bool isMinimised(const ui::Window& window) const override;
    void minimise(ui::Window& window) override;
    void restore(ui::Window& window) override;
    void activate(ui::Window& window) override;
    std::intptr_t nativeHandle(const ui::Window& window) const override;
    std::optional<std::size_t> popupMenu(ui::Window& window,
                                         const std::vector<const ui::MenuItemDef*>& items) override;
    bool inputBox(std::string_view prompt, std::string_view title, std::string& value,
                  ui::Window* owner) override;
    std::optional<std::filesystem::path> saveFileName(const ui::SaveFileRequest& request,
                                                      ui::Window* owner) override;
    std::optional<std::filesystem::path> chooseFolder(std::string_view title,
                                                      const std::filesystem::path& initial,
                                                      ui::Window* owner) override;
    void runInBackground(std::function<void()> work, std::function<void()> done) override;
    void postToScreen(std::function<void()> step) override;
    void finishBackgroundWork() override;
    void startTimer(ui::Timer& timer) override;
    void stopTimer(ui::Timer& timer) override;
    void applySkin(int skin) override;
    bool claimSingleInstance() override;
    void activateRunningInstance() override;
    const support::Clock& clock() const override { return *clock_; }
    std::filesystem::path programDirectory() const override;

protected:
    int showMessageBox(std::string_view text, int flags, std::string_view title,
                       ui::Window* owner) override;

private:
    // Answers a second start of the program.
    void comeForward();
    // Dialogs sit above the window they belong to, or above whatever is active.
    QWidget* dialogParent(ui::Window* owner) const;

    Dialogs& dialogs_;
    std::filesystem::path programDirectory_;
    SingleInstance guard_;
    support::SystemClock systemClock_;
    const support::Clock* clock_ = &systemClock_;
    std::map<const ui::Window*, WindowView*> views_;
    std::map<const ui::Window*, QPointer<QEventLoop>> loops_;
    std::map<const ui::Timer*, std::unique_ptr<QTimer>> timers_;
    const ui::Window* firstWindow_ = nullptr; // the main window, first to come forward
    // Steps posted from workers are delivered through this object of the screen thread.
    QObject screenThread_;
    QThreadPool workers_;
};

} // namespace qtui
