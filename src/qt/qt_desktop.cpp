#include "qt/qt_desktop.h"

#include "qt/look/looks.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QScreen>
#include <algorithm>
#include <utility>
#include <vector>

namespace qtui {

QtDesktop::QtDesktop(Dialogs& dialogs, std::filesystem::path programDirectory,
                     const QString& instanceKey)
    : dialogs_(dialogs), programDirectory_(std::move(programDirectory)), guard_(instanceKey) {
    // The program ends when its main window is closed, not when a screen happens to be last.
    QApplication::setQuitOnLastWindowClosed(false);
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), font.family()});
    QApplication::setFont(font);
    QObject::connect(&guard_, &SingleInstance::activationRequested, [this] { comeForward(); });
}

QtDesktop::~QtDesktop() {
    finishBackgroundWork();
    for (const auto& [window, view] : views_)
        delete view;
}

WindowView* QtDesktop::view(const ui::Window& window) const {
    const auto found = views_.find(&window);
    return found == views_.end() ? nullptr : found->second;
}

ui::ScreenSize QtDesktop::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {1024, 768};
    return {screen->geometry().width(), screen->geometry().height()};
}

void QtDesktop::createView(ui::Window& window) {
    if (!firstWindow_) firstWindow_ = &window;
    WindowView* owner = window.owner() ? view(*window.owner()) : nullptr;
    views_[&window] = new WindowView(window, owner);
}

void QtDesktop::showView(ui::Window& window) {
    if (WindowView* shown = view(window)) {
        shown->show();
        shown->raise();
        shown->activateWindow();
    }
}

void QtDesktop::destroyView(ui::Window& window) {
    if (WindowView* gone = view(window)) {
        views_.erase(&window);
        gone->retire();
        gone->hide();
        // A handler of this window may still be on the stack: the widgets go once it returns.
        gone->deleteLater();
    }
    if (firstWindow_ == &window) firstWindow_ = nullptr;
    const auto loop = loops_.find(&window);
    if (loop != loops_.end() && loop->second) loop->second->quit();
}

void QtDesktop::runUntilClosed(ui::Window& window) {
    if (!window.isOpen()) return;
    QEventLoop loop;
    loops_[&window] = &loop;
    loop.exec(QEventLoop::DialogExec);
    loops_.erase(&window);
}

void QtDesktop::moveView(ui::Window& window) {
    if (WindowView* moved = view(window)) moved->move(window.left(), window.top());
}

void QtDesktop::controlChanged(ui::Control& control, ui::Change change) {
    if (WindowView* shown = view(control.window())) shown->controlChanged(control, change);
}

bool QtDesktop::isMinimised(const ui::Window& window) const {
    const WindowView* shown = view(window);
    return shown && shown->isMinimized();
}

void QtDesktop::minimise(ui::Window& window) {
    if (WindowView* shown = view(window)) shown->showMinimized();
}

void QtDesktop::restore(ui::Window& window) {
    if (WindowView* shown = view(window)) {
        shown->showNormal();
        shown->raise();
        shown->activateWindow();
    }
}

void QtDesktop::activate(ui::Window& window) {
    if (WindowView* shown = view(window)) {
        shown->raise();
        shown->activateWindow();
    }
}

std::intptr_t QtDesktop::nativeHandle(const ui::Window& window) const {
    const WindowView* shown = view(window);
    return shown ? static_cast<std::intptr_t>(shown->winId()) : 0;
}

std::optional<std::size_t> QtDesktop::popupMenu(ui::Window& window,
                                                const std::vector<const ui::MenuItemDef*>& items) {
    QMenu menu(view(window));
    menu.setObjectName(QStringLiteral("popupMenu"));
    std::map<QAction*, std::size_t> indexOf;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ui::MenuItemDef& item = *items[i];
        if (item.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(icon(toQString(item.image)), toQString(item.caption));
        action->setEnabled(!item.disabled);
        action->setCheckable(item.ticked);
        action->setChecked(item.ticked);
        indexOf[action] = i;
    }
    QAction* chosen = menu.exec(QCursor::pos() + QPoint(3, 3));
    const auto found = indexOf.find(chosen);
    if (found == indexOf.end()) return std::nullopt;
    return found->second;
}

int QtDesktop::showMessageBox(std::string_view text, int flags, std::string_view title,
                              ui::Window* owner) {
    return dialogs_.messageBox(dialogParent(owner), QString::fromUtf8(text.data(), text.size()),
                               flags, QString::fromUtf8(title.data(), title.size()));
}

bool QtDesktop::inputBox(std::string_view prompt, std::string_view title, std::string& value,
                         ui::Window* owner) {
    const auto answer =
        dialogs_.inputBox(dialogParent(owner), QString::fromUtf8(prompt.data(), prompt.size()),
                          QString::fromUtf8(title.data(), title.size()), toQString(value));
    if (!answer) return false;
    value = answer->toStdString();
    return true;
}

std::optional<std::filesystem::path> QtDesktop::saveFileName(const ui::SaveFileRequest& request,
                                                             ui::Window* owner) {
    const auto path = dialogs_.saveFileName(dialogParent(owner), request);
    if (!path) return std::nullopt;
    return std::filesystem::path(path->toStdU16String());
}

std::optional<std::filesystem::path> QtDesktop::chooseFolder(std::string_view title,
                                                             const std::filesystem::path& initial,
                                                             ui::Window* owner) {
    const auto folder = dialogs_.chooseFolder(
        dialogParent(owner), QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
        QString::fromStdU16String(initial.u16string()));
    if (!folder) return std::nullopt;
    return std::filesystem::path(folder->toStdU16String());
}

void QtDesktop::runInBackground(std::function<void()> work, std::function<void()> done) {
    workers_.start([this, work = std::move(work), done = std::move(done)]() mutable {
        work();
        postToScreen(std::move(done));
    });
}

void QtDesktop::postToScreen(std::function<void()> step) {
    QMetaObject::invokeMethod(&screenThread_, std::move(step), Qt::QueuedConnection);
}

void QtDesktop::finishBackgroundWork() {
    workers_.waitForDone();
    QCoreApplication::removePostedEvents(&screenThread_);
}

void QtDesktop::startTimer(ui::Timer& timer) {
    auto& running = timers_[&timer];
    running = std::make_unique<QTimer>();
    running->setInterval(timer.interval());
    QObject::connect(running.get(), &QTimer::timeout, [&timer] { timer.tick(); });
    running->start();
}

void QtDesktop::stopTimer(ui::Timer& timer) {
    const auto found = timers_.find(&timer);
    if (found == timers_.end()) return;
    // The tick that stops its own timer is still running inside it.
    found->second.release()->deleteLater();
    timers_.erase(found);
}

void QtDesktop::applySkin(int skin) {
    applyLook(skin);
}

bool QtDesktop::claimSingleInstance() {
    return guard_.claim();
}

void QtDesktop::activateRunningInstance() {
    guard_.activateRunning();
}

namespace {

// Only the minimised state goes: a window the user had maximised stays so.
void restoreAndRaise(QWidget* window) {
    if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
}

} // namespace

// A second start means the user is looking for the program. What it shows comes forward; a window
// not shown yet stays hidden, above all the main window during the first login, which is an empty
// frame until someone has logged in. Owned windows travel with their owner, except those whose
// owner is not on screen: the first login is owned by the hidden main window.
void QtDesktop::comeForward() {
    std::vector<QWidget*> shown;
    for (const auto& [model, widget] : views_) {
        if (!widget->isVisible()) continue;
        const QWidget* owner = widget->parentWidget();
        if (owner != nullptr && owner->isVisible()) continue;
        shown.push_back(widget);
    }
    // The main window goes first, so that what stands above it while it runs ends up above it.
    const WindowView* mainView = firstWindow_ ? view(*firstWindow_) : nullptr;
    std::stable_partition(shown.begin(), shown.end(),
                          [mainView](const QWidget* w) { return w == mainView; });
    for (QWidget* window : shown)
        restoreAndRaise(window);

    // The focus goes where input is expected: a modal window (a login, a question) blocks the
    // others, and activating one of those would leave the cashier typing into nothing. A question
    // may be up before any window of ours is shown.
    QWidget* focus = QApplication::activeModalWidget();
    if (focus != nullptr && !focus->isVisible()) focus = nullptr;
    if (focus == nullptr && !shown.empty()) focus = shown.front();
    if (focus == nullptr) return;
    restoreAndRaise(focus);
    focus->activateWindow();
}

std::filesystem::path QtDesktop::programDirectory() const {
    if (!programDirectory_.empty()) return programDirectory_;
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
}

QWidget* QtDesktop::dialogParent(ui::Window* owner) const {
    if (owner) {
        if (WindowView* shown = view(*owner)) return shown;
    }
    return QApplication::activeWindow();
}

} // namespace qtui
