#pragma once

#include "ui/desktop.h"
#include "ui/window.h"

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

// A clock that shows what the test sets. Moments queued in `upcoming` are shown one per reading
// after the current one, as if time passed between the readings.
class FakeClock final : public support::Clock {
public:
    support::CalendarTime now() const override {
        const support::CalendarTime shown = now_;
        if (!upcoming.empty()) {
            now_ = upcoming.front();
            upcoming.pop_front();
        }
        return shown;
    }
    void set(const support::CalendarTime& moment) { now_ = moment; }

    mutable std::deque<support::CalendarTime> upcoming;

private:
    mutable support::CalendarTime now_{2022, 10, 28, 14, 5, 9};
};

struct ShownMessage {
    std::string text;
    int flags = 0;
    std::string title;
    const ui::Window* owner = nullptr;
};

struct ShownInputBox {
    std::string prompt;
    std::string title;
    std::string initialText;
};

// A desktop without a screen. It records every dialog and answers from queues the test fills:
// message boxes answer OK, input boxes, save dialogs and popup menus answer Cancel once their
// queue is empty. A modal window runs `onModal`, which must close it.
class FakeDesktop final : public ui::Desktop {
public:
    explicit FakeDesktop(std::filesystem::path programDirectory = {});

    // What the test sets.
    ui::ScreenSize screen{1280, 1024};
    FakeClock fakeClock;
    std::filesystem::path directory;
    std::function<void(ui::Window&)> onModal;
    std::deque<int> messageAnswers;
    std::deque<std::optional<std::string>> inputAnswers;          // nothing: Cancel
    std::deque<std::optional<std::filesystem::path>> saveAnswers; // nothing: Cancel
    std::deque<std::optional<std::string>> popupAnswers;          // a caption to choose
    std::deque<std::optional<std::filesystem::path>> folderAnswers; // nothing: Cancel
    bool anotherCopyRunning = false;

    // What the program did.
    std::vector<ShownMessage> messages;
    std::vector<ShownInputBox> inputBoxes;
    std::vector<ui::SaveFileRequest> saveRequests;
    std::vector<std::string> folderTitles;
    int backgroundRuns = 0;
    std::vector<std::vector<std::string>> popups; // the captions of each popup menu shown
    std::vector<std::string> shownWindows;        // names, in the order they were shown
    std::vector<int> appliedSkins;
    std::set<const ui::Window*> minimisedWindows;
    int activations = 0;
    // Every change a control told its view of.
    long long controlChanges = 0;
    int restorations = 0;
    int runningInstanceActivations = 0;

    // Ticks every running timer once, as if each interval elapsed.
    void tickTimers();
    bool timerRunning(const ui::Timer& timer) const {
        return runningTimers_.contains(const_cast<ui::Timer*>(&timer));
    }
    // The texts of the messages shown so far, in order.
    std::vector<std::string> messageTexts() const;

    ui::ScreenSize screenSize() const override { return screen; }
    void createView(ui::Window&) override {}
    void showView(ui::Window& window) override;
    void destroyView(ui::Window& window) override;
    void runUntilClosed(ui::Window& window) override;
    void moveView(ui::Window&) override {}
    void controlChanged(ui::Control&, ui::Change) override { ++controlChanges; }
    void menuChanged(ui::Window&) override {}
    bool isMinimised(const ui::Window& window) const override;
    void minimise(ui::Window& window) override { minimisedWindows.insert(&window); }
    void restore(ui::Window& window) override;
    void activate(ui::Window&) override { ++activations; }
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
    // Background work runs at once, on the test's thread, so that tests stay deterministic.
    void runInBackground(std::function<void()> work, std::function<void()> done) override;
    void postToScreen(std::function<void()> step) override { step(); }
    void finishBackgroundWork() override {}
    void startTimer(ui::Timer& timer) override { runningTimers_.insert(&timer); }
    void stopTimer(ui::Timer& timer) override { runningTimers_.erase(&timer); }
    void applySkin(int skin) override { appliedSkins.push_back(skin); }
    bool claimSingleInstance() override { return !anotherCopyRunning; }
    void activateRunningInstance() override { ++runningInstanceActivations; }
    const support::Clock& clock() const override { return fakeClock; }
    std::filesystem::path programDirectory() const override { return directory; }

protected:
    int showMessageBox(std::string_view text, int flags, std::string_view title,
                       ui::Window* owner) override;

private:
    std::set<ui::Timer*> runningTimers_;
};

} // namespace testing_support
