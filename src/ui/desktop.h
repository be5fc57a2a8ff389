#pragma once

#include "support/clock.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Control;
class Timer;
class Window;
struct MenuItemDef;
enum class Change;

// Message-box flags the screens use: an icon with a single OK button, or a question with OK and
// Cancel.
inline constexpr int kErrorBox = 0x10;
inline constexpr int kQuestionOkCancel = 0x21;
inline constexpr int kWarningBox = 0x30;
inline constexpr int kInformationBox = 0x40;
// Asks for a box that stays above every program, not only this one's windows.
inline constexpr int kSystemModal = 0x1000;

// The pressed button of a message box.
enum MessageResult : int {
    kOk = 0,
    kCancel = 1,
    kAbort = 2,
    kRetry = 3,
    kIgnore = 4,
    kYes = 5,
    kNo = 6,
};

inline constexpr std::string_view kDefaultMessageTitle = "信息：";

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// What a save-file dialog proposes. The filter lists descriptions and patterns separated by "|";
// a single item is both the description and the pattern of the only entry.
struct SaveFileRequest {
    std::string title = "保存文件";
    std::string proposedName;
    std::string filter = "TXT文档(*.txt)|*.txt|所有文件(*.*)|*.*";
    int filterIndex = 1; // from 1
    std::filesystem::path initialDirectory;
};

// Everything the screen model cannot do by itself: drawing windows, nested loops, dialogs, timers,
// the look, the single-instance lock, the clock and the program's directory. The Qt desktop is
// the real one; tests use a fake.
class Desktop {
public:
    virtual ~Desktop() = default;

    virtual ScreenSize screenSize() const = 0;

    // A window's life as the model lives it: its controls exist before the view is created, the
    // view is shown after the created event, and destroyed before the controls go.
    virtual void createView(Window& window) = 0;
    virtual void showView(Window& window) = 0;
    virtual void destroyView(Window& window) = 0;
    // Returns once the window is closed; for a main window this is the program's main loop.
    virtual void runUntilClosed(Window& window) = 0;
    virtual void moveView(Window& window) = 0;
    virtual void controlChanged(Control& control, Change change) = 0;
    virtual void menuChanged(Window& window) = 0;

    virtual bool isMinimised(const Window& window) const = 0;
    virtual void minimise(Window& window) = 0;
    virtual void restore(Window& window) = 0;
    virtual void activate(Window& window) = 0;
    virtual std::intptr_t nativeHandle(const Window& window) const = 0;

    // Shows the items as a popup menu at the mouse; the index of the chosen one, or nothing.
    virtual std::optional<std::size_t> popupMenu(Window& window,
                                                 const std::vector<const MenuItemDef*>& items) = 0;

    // The pressed button. The title is "信息：" when none is given.
    int messageBox(std::string_view text, int flags, std::string_view title = kDefaultMessageTitle,
                   Window* owner = nullptr);
    // OK stores the edited text in `value` and gives true; Cancel leaves it and gives false.
    virtual bool inputBox(std::string_view prompt, std::string_view title, std::string& value,
                          Window* owner) = 0;
    // The chosen path, or nothing when the dialog was cancelled. The working directory is the
    // same afterwards.
    virtual std::optional<std::filesystem::path> saveFileName(const SaveFileRequest& request,
                                                              Window* owner) = 0;

    // A folder the person chose, starting from `initial`; nothing when the dialog was cancelled.
    virtual std::optional<std::filesystem::path>
    chooseFolder(std::string_view title, const std::filesystem::path& initial, Window* owner) = 0;

    // Runs `work` off the screen thread, then `done` on it, so that long work never freezes the
    // windows. `work` touches no window and no connection of the screen thread: it opens its own.
    virtual void runInBackground(std::function<void()> work, std::function<void()> done) = 0;
    // Runs `step` on the screen thread soon; callable from any thread (a worker's progress).
    virtual void postToScreen(std::function<void()> step) = 0;
    // Returns once all work handed to runInBackground has finished. A `done` not yet delivered is
    // dropped: the windows it would touch are gone when the program ends.
    virtual void finishBackgroundWork() = 0;

    virtual void startTimer(Timer& timer) = 0;
    virtual void stopTimer(Timer& timer) = 0;

    // One of the five looks, by its index in the skin list.
    virtual void applySkin(int skin) = 0;
    // True for the first running copy of the program; a second copy gets false.
    virtual bool claimSingleInstance() = 0;
    // Asks the first copy to restore and bring forward its main window.
    virtual void activateRunningInstance() = 0;

    virtual const support::Clock& clock() const = 0;
    virtual std::filesystem::path programDirectory() const = 0;

protected:
    virtual int showMessageBox(std::string_view text, int flags, std::string_view title,
                               Window* owner) = 0;
};

} // namespace ui
