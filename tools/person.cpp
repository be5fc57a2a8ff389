#include "person.h"

#include "keyboard.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolBar>

namespace pictures {
namespace {

[[noreturn]] void missing(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

// The item list of an outlook bar's open group; lists of groups closed since wait hidden for their
// deletion.
QListWidget* shownItems(QWidget* bar) {
    for (auto* items : bar->findChildren<QListWidget*>())
        if (!items->isHidden()) return items;
    missing(bar->objectName() + QStringLiteral(" has no open group"));
}

} // namespace

QWidget* viewOf(const qtui::QtDesktop& desktop, const ui::Window& window) {
    if (QWidget* view = desktop.view(window)) return view;
    throw std::runtime_error(window.name() + " is not open");
}

bool isShown(const qtui::QtDesktop& desktop, const ui::Window& window) {
    const QWidget* view = desktop.view(window);
    return view && view->isVisible();
}

void typeText(QWidget* box, const QString& typed) {
    typing::typeAsAPerson(box, typed);
}

void click(QAbstractButton* button) {
    if (!button->isEnabled()) missing(button->objectName() + QStringLiteral(" is disabled"));
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

void pick(QComboBox* combo, const QString& item) {
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int step = 0; step <= combo->count() && combo->currentText() != item; ++step)
        QTest::keyClick(combo, Qt::Key_Down);
    if (combo->currentText() != item)
        missing(combo->objectName() + QStringLiteral(" offers no ") + item);
    QApplication::processEvents();
}

void clickRow(QListWidget* list, int row) {
    if (row < 0 || row >= list->count())
        missing(list->objectName() + QStringLiteral(" has no row ") + QString::number(row));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    QApplication::processEvents();
}

void clickRow(QTableView* list, int row) {
    if (row < 0 || row >= list->model()->rowCount())
        missing(list->objectName() + QStringLiteral(" has no row ") + QString::number(row));
    const QModelIndex cell = list->model()->index(row, 1);
    list->scrollTo(cell);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(cell).center());
    QApplication::processEvents();
}

void openGroup(QWidget* bar, const QString& title) {
    for (auto* header : bar->findChildren<QPushButton*>()) {
        if (header->isHidden() || header->text() != title) continue;
        QTest::mouseClick(header, Qt::LeftButton); // the click builds the headers anew
        QApplication::processEvents();
        return;
    }
    missing(bar->objectName() + QStringLiteral(" has no group ") + title);
}

void clickItem(QWidget* bar, const QString& text) {
    QListWidget* items = shownItems(bar);
    const auto found = items->findItems(text, Qt::MatchExactly);
    if (found.size() != 1) missing(bar->objectName() + QStringLiteral(" shows no ") + text);
    items->scrollToItem(found[0]);
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                      items->visualItemRect(found[0]).center());
    QApplication::processEvents();
}

void chooseToolbarEntry(const qtui::QtDesktop& desktop, const ui::Window& mainWindow,
                        const QString& entry) {
    for (QAction* action : find<QToolBar>(desktop, mainWindow, "工具条1")->actions()) {
        if (action->text() != entry) continue;
        if (!action->isEnabled()) missing(entry + QStringLiteral(" is disabled"));
        action->trigger();
        QApplication::processEvents();
        return;
    }
    missing(QStringLiteral("the toolbar has no ") + entry);
}

bool choosePopupEntry(const QString& entry) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return false;
    for (QAction* action : menu->actions()) {
        if (action->text() != entry) continue;
        if (!action->isEnabled()) missing(entry + QStringLiteral(" is disabled"));
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
        return true;
    }
    menu->close();
    missing(QStringLiteral("the popup menu has no ") + entry);
}

} // namespace pictures
