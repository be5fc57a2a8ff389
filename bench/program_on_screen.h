#pragma once

#include "app/app.h"
#include "printing/printer_setting.h"
#include "program_directory.h"
#include "qt/platform/dialogs.h"
#include "qt/qt_desktop.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

// Throws `failure` unless the condition holds.
void require(bool holds, const std::string& failure);

// Dialogs nobody sees: every message box is noted and answered OK, and whoever waits for one hears
// of it at once rather than at its next look; nothing is ever typed or chosen.
class NotingDialogs final : public qtui::Dialogs {
public:
    std::vector<QString> messages;
    std::function<void()> onMessage;

    int messageBox(QWidget*, const QString& text, int, const QString&) override;
    std::optional<QString> inputBox(QWidget*, const QString&, const QString&,
                                    const QString&) override;
    std::optional<QString> saveFileName(QWidget*, const ui::SaveFileRequest&) override;
    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString&) override;
};

// The longest wait between two turns of the screen thread's event loop. A precise timer due every
// 10 ms comes late by as long as the loop was held up, by a handler, by drawing, or by the
// thread not getting the processor; the wait between two ticks is what a click at the worst
// moment would have waited, plus at most the 10 ms of the timer itself.
class LoopWatch {
public:
    LoopWatch();

    // Each tick also calls `look`, to note what the screen shows meanwhile.
    void start(std::function<void()> look = {});
    // The time since the last tick is the harness's own, not a wait of the loop.
    void stop() { timer_.stop(); }

    double longestMilliseconds() const { return static_cast<double>(longest_) / 1e6; }
    int ticks() const { return ticks_; }

private:
    void tick();

    QTimer timer_;
    QElapsedTimer clock_;
    std::function<void()> look_;
    qint64 longest_ = 0;
    qint64 last_ = 0;
    int ticks_ = 0;
};

// The whole program on the Qt desktop over a copy of a generated database, offscreen unless
// QT_QPA_PLATFORM says otherwise, with an administrator at it.
class ProgramOnScreen {
public:
    ProgramOnScreen(const std::filesystem::path& database, printing::PrinterFactory printers = {});

    // Logs in as the administrator, runs `work` once the main window shows, then ends the
    // program. What failed, thrown by `work` or on the way to it; "" when nothing did.
    std::string runLoggedIn(const std::function<void()>& work);

    // Lets the event loop wait for events as it does for a person, never spinning, until `done`
    // holds: looked at after every message box and every 10 ms; throws after `mostMilliseconds`.
    // `done` runs inside the loop, so it throws nothing.
    void waitUntil(const std::function<bool()>& done, const std::string& what,
                   qint64 mostMilliseconds);
    static void runEventsFor(int milliseconds);

    void chooseToolbarEntry(const char* text);

    // The named widget of an open window.
    template <typename W> W* child(const ui::Window& window, const char* name) {
        QWidget* view = desktop_.view(window);
        W* widget = view ? view->findChild<W*>(QString::fromUtf8(name)) : nullptr;
        require(widget != nullptr, std::string("no widget ") + name + " on " + window.name());
        return widget;
    }

    ProgramDirectory& directory() { return directory_; }
    NotingDialogs& dialogs() { return dialogs_; }
    qtui::QtDesktop& desktop() { return desktop_; }
    app::App& app() { return app_; }

private:
    ProgramDirectory directory_;
    NotingDialogs dialogs_;
    qtui::QtDesktop desktop_;
    app::App app_;
};

} // namespace bench
