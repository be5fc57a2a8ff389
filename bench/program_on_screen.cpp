#include "program_on_screen.h"

#include "program/program.h"

#include <QAction>
#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QUuid>
#include <algorithm>
#include <utility>

namespace bench {

void require(bool holds, const std::string& failure) {
    if (!holds) throw std::runtime_error(failure);
}

int NotingDialogs::messageBox(QWidget*, const QString& text, int, const QString&) {
    messages.push_back(text);
    if (onMessage) onMessage();
    return ui::kOk;
}

std::optional<QString> NotingDialogs::inputBox(QWidget*, const QString&, const QString&,
                                               const QString&) {
    return std::nullopt;
}

std::optional<QString> NotingDialogs::saveFileName(QWidget*, const ui::SaveFileRequest&) {
    return std::nullopt;
}

std::optional<QString> NotingDialogs::chooseFolder(QWidget*, const QString&, const QString&) {
    return std::nullopt;
}

namespace {
constexpr int kWatchMilliseconds = 10;
constexpr qint64 kMostMillisecondsToLogIn = 60'000;
} // namespace

LoopWatch::LoopWatch() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kWatchMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void LoopWatch::start(std::function<void()> look) {
    look_ = std::move(look);
    longest_ = 0;
    last_ = 0;
    ticks_ = 0;
    clock_.start();
    timer_.start();
}

void LoopWatch::tick() {
    const qint64 now = clock_.nsecsElapsed();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
    ++ticks_;
    if (look_) look_();
}

ProgramOnScreen::ProgramOnScreen(const std::filesystem::path& database,
                                 printing::PrinterFactory printers)
    : directory_(database),
      desktop_(dialogs_, directory_.path(),
               QStringLiteral("VeltranoBench-") + QUuid::createUuid().toString()),
      app_(desktop_) {
    program::bindScreens(app_, std::move(printers));
}

std::string ProgramOnScreen::runLoggedIn(const std::function<void()>& work) {
    std::string failure = "the main window never showed";
    bool typed = false;
    QElapsedTimer waiting;
    waiting.start();
    QTimer person;
    person.setInterval(20);
    const auto finish = [&](const std::string& outcome) {
        person.stop();
        failure = outcome;
        app_.mainWindow.close();
    };
    // Nothing may be thrown back into Qt's event loop: a failure ends the program instead.
    QObject::connect(&person, &QTimer::timeout, [&] {
        try {
            QWidget* login = desktop_.view(app_.loginScreen);
            QWidget* main = desktop_.view(app_.mainWindow);
            if (!typed && login && login->isVisible()) {
                auto* password = child<QLineEdit>(app_.loginScreen, "编辑框_密码");
                QTest::keyClicks(password, QStringLiteral("admin"));
                QTest::keyClick(password, Qt::Key_Return);
                typed = true;
            } else if (typed && main && main->isVisible()) {
                person.stop();
                work();
                finish({});
            } else if (waiting.elapsed() > kMostMillisecondsToLogIn) {
                finish("the login did not lead to the main window");
            }
        } catch (const std::exception& error) {
            finish(error.what());
        }
    });
    person.start();
    app_.run();
    return failure;
}

void ProgramOnScreen::waitUntil(const std::function<bool()>& done, const std::string& what,
                                qint64 mostMilliseconds) {
    if (done()) return;
    QEventLoop loop;
    QElapsedTimer waited;
    waited.start();
    const auto look = [&] {
        if (done() || waited.elapsed() > mostMilliseconds) loop.quit();
    };
    QTimer looking;
    looking.setInterval(10);
    QObject::connect(&looking, &QTimer::timeout, look);
    dialogs_.onMessage = look;
    looking.start();
    loop.exec();
    dialogs_.onMessage = nullptr;
    require(done(),
            "no sign of " + what + " after " + std::to_string(waited.elapsed() / 1000) + " s");
}

void ProgramOnScreen::runEventsFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void ProgramOnScreen::chooseToolbarEntry(const char* text) {
    auto* toolbar = child<QToolBar>(app_.mainWindow, "工具条1");
    for (QAction* action : toolbar->actions())
        if (action->text() == QString::fromUtf8(text)) action->trigger();
}

} // namespace bench
