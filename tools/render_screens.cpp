// Renders each screen in use to a PNG for the user guide. The real program runs
// offscreen on a restaurant's database made for the purpose, with its staff and a month of orders,
// its clock stopped on the last evening of that month; a person is played through the screens and
// each window is grabbed as it shows.
// Usage: render_screens [output directory, default "screens"]

#include "answering_dialogs.h"
#include "app/app.h"
#include "person.h"
#include "printing/escpos.h"
#include "printing/escpos_decoder.h"
#include "printing/receipt_source.h"
#include "program/program.h"
#include "qt/platform/ticket_painter.h"
#include "qt/qt_desktop.h"
#include "sample_restaurant.h"
#include "step_runner.h"
#include "stopped_clock.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <cstdio>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using pictures::find;
using pictures::isShown;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// What the manager puts at the bottom of every screen for the holidays.
const char kAnnouncement[] = "元旦假期照常营业，包间请提前一天预订。";
// The free remark the cashier adds to the bill in the picture.
const char kCheckoutNote[] = "开发票";
// The only boxes the walk through the screens should bring up.
const std::set<QString> kExpectedMessages{text("开台成功！"), text("公告设置成功！")};

// One run of the program with a person at it.
class Walk {
public:
    Walk(qtui::QtDesktop& desktop, app::App& veltrano, const QDir& output)
        : desktop_(desktop), veltrano_(veltrano), output_(output), steps_([this] { giveUp(); }) {}

    void start() {
        addSteps();
        steps_.start();
    }
    const pictures::StepRunner& steps() const { return steps_; }

    // The pictures are written only after a whole walk, so that a failed one leaves the old ones.
    int save() const {
        int failures = 0;
        for (const auto& [name, shot] : shots_) {
            const QString file = output_.filePath(name);
            if (shot.save(file)) {
                std::printf("%s\n", qPrintable(file));
            } else {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                ++failures;
            }
        }
        return failures;
    }

private:
    template <typename W> W* on(const ui::Window& window, const char* name) const {
        return find<W>(desktop_, window, name);
    }

    void grab(const ui::Window& window, const QString& suffix = {}) {
        QApplication::processEvents(); // lists fill once their handler returns
        shots_.push_back({QString::fromStdString(window.name()) + suffix + QStringLiteral(".png"),
                          pictures::viewOf(desktop_, window)->grab()});
    }

    // The settings screens are modal: the popup menu opens them, and the steps after go on
    // inside their loops.
    void openSettingsMenu() {
        steps_.letNextStepsIn([this] {
            pictures::chooseToolbarEntry(desktop_, veltrano_.mainWindow, text("系统设置"));
        });
    }

    void addSteps() {
        using Taken = pictures::StepRunner::Taken;
        const auto popupShown = [] { return QApplication::activePopupWidget() != nullptr; };
        const auto shown = [this](const ui::Window& window) {
            return [this, &window] { return isShown(desktop_, window); };
        };
        const auto always = [] { return true; };
        steps_.add("log in", shown(veltrano_.loginScreen), [this] { logIn(); });
        steps_.add(
            "open the settings menu", [this] { return loggedIn(); },
            [this] { openSettingsMenu(); });
        steps_.add(
            "choose 公告设置", popupShown, [] { pictures::choosePopupEntry(text("公告设置")); },
            Taken::InsideTheLoop);
        steps_.add(
            "see the main window", [this] { return announcementShown(); },
            [this] { grab(veltrano_.mainWindow); });
        steps_.add("open a table and order", always, [this] { order(); });
        steps_.add("settle a bill", always, [this] { settle(); });
        steps_.add("look up the month", always, [this] { lookUpTheMonth(); });
        steps_.add("print its receipt", always, [this] { pictureTheReceipt(); });
        steps_.add("count the drawer", always, [this] { closeTheDay(); });
        steps_.add("open the business report", always, [this] {
            pictures::chooseToolbarEntry(desktop_, veltrano_.mainWindow, text("营业报表"));
        });
        steps_.add(
            "ask for this month", [this] { return reportShown("2026-12-31"); },
            [this] { askForTheMonth(); });
        steps_.add(
            "read the month's report", [this] { return reportShown("2026-12-01"); },
            [this] { readTheMonth(); });
        steps_.add("open the settings menu", always, [this] { openSettingsMenu(); });
        steps_.add(
            "choose 用户设置", popupShown, [] { pictures::choosePopupEntry(text("用户设置")); },
            Taken::InsideTheLoop);
        steps_.add(
            "look at a user", shown(veltrano_.userSettingsScreen), [this] { lookAtAUser(); },
            Taken::InsideTheLoop);
        steps_.add("open the settings menu", always, [this] { openSettingsMenu(); });
        steps_.add(
            "choose 餐厅设置", popupShown, [] { pictures::choosePopupEntry(text("餐厅设置")); },
            Taken::InsideTheLoop);
        steps_.add(
            "look at a table and a dish", shown(veltrano_.restaurantSettingsScreen),
            [this] { lookAtTheRestaurant(); }, Taken::InsideTheLoop);
        steps_.add("open the settings menu", always, [this] { openSettingsMenu(); });
        steps_.add(
            "choose 备份与恢复", popupShown, [] { pictures::choosePopupEntry(text("备份与恢复")); },
            Taken::InsideTheLoop);
        steps_.add(
            "look at the backups", [this] { return backupsListed(); },
            [this] { lookAtTheBackups(); }, Taken::InsideTheLoop);
        steps_.add("open the settings menu", always, [this] { openSettingsMenu(); });
        steps_.add(
            "choose 打印设置", popupShown, [] { pictures::choosePopupEntry(text("打印设置")); },
            Taken::InsideTheLoop);
        steps_.add(
            "look at the printers", shown(veltrano_.printerSettingsScreen),
            [this] { lookAtThePrinters(); }, Taken::InsideTheLoop);
        steps_.add("close the program", always,
                   [this] { pictures::click(on<QPushButton>(veltrano_.mainWindow, "按钮1")); });
    }

    bool loggedIn() const {
        return isShown(desktop_, veltrano_.mainWindow) &&
               !on<QLabel>(veltrano_.mainWindow, "标签_用户")->text().isEmpty() &&
               !on<QLabel>(veltrano_.mainWindow, "标签_时间")->text().isEmpty();
    }

    bool announcementShown() const {
        return veltrano_.mainWindow.statusBar("状态条_公告").partText(1) == kAnnouncement;
    }

    // The administrator, first in the list, with the password typed.
    void logIn() {
        const ui::Window& login = veltrano_.loginScreen;
        const auto* users = on<QComboBox>(login, "组合框_用户");
        if (users->currentIndex() != 0 || users->count() < 2)
            throw std::runtime_error(
                "the user list does not offer the staff with the first chosen");
        auto* password = on<QLineEdit>(login, "编辑框_密码");
        pictures::typeText(password, QStringLiteral("admin"));
        grab(login);
        QTest::keyClick(password, Qt::Key_Return);
    }

    // A free table opened for four and brought up with 切换, which shows when it was opened; four
    // dishes from three groups, two more of the drink; the group of the last dishes stays open.
    void order() {
        const ui::Window& screen = veltrano_.orderScreen;
        pictures::chooseToolbarEntry(desktop_, veltrano_.mainWindow, text("开台点菜"));
        const auto* open = on<QComboBox>(screen, "组合框_切换");
        auto* tables = on<QComboBox>(screen, "组合框_餐台");
        QString table;
        for (int item = 0; item < tables->count() && table.isEmpty(); ++item)
            if (open->findText(tables->itemText(item)) < 0) table = tables->itemText(item);
        if (table.isEmpty()) throw std::runtime_error("no free table");
        pictures::pick(tables, table);
        QLineEdit* guests = on<QComboBox>(screen, "组合框_人数")->lineEdit();
        if (!guests) throw std::runtime_error("the number of guests cannot be typed");
        guests->selectAll();
        pictures::typeText(guests, QStringLiteral("4"));
        pictures::click(on<QPushButton>(screen, "按钮_开台"));
        pictures::pick(on<QComboBox>(screen, "组合框_切换"), table);
        pictures::click(on<QPushButton>(screen, "按钮_切换"));
        openedNumber_ = on<QLabel>(screen, "标签_单号")->text();

        const ui::OutlookBar& menu = screen.outlookBar("卷帘式菜单_点菜");
        auto* bar = on<QWidget>(screen, "卷帘式菜单_点菜");
        const int groups = menu.groupCount();
        if (groups < 3) throw std::runtime_error("the menu has fewer than three groups");
        // The delivered menu starts with the starters and the main dishes and ends with the drinks.
        const int drinks = groups - 1;
        const int mains = 1;
        // A starter, a drink, then two of the main dishes.
        const std::pair<int, int> dishes[] = {
            {0, 0}, {drinks, 0}, {mains, 0}, {mains, menu.itemCount(mains) - 1}};
        for (const auto& [group, item] : dishes) {
            pictures::openGroup(bar, QString::fromStdString(menu.groupText(group)));
            pictures::clickItem(bar, QString::fromStdString(menu.itemText(item, group)));
        }
        const std::string drink = menu.itemText(0, drinks);
        auto* lines = on<QTableView>(screen, "超级列表框_点菜");
        QApplication::processEvents();
        pictures::clickRow(
            lines, rowWith(lines, 2, QString::fromStdString(drink.substr(0, drink.find('/')))));
        for (int more = 0; more < 2; ++more)
            pictures::click(on<QPushButton>(screen, "按钮_数量加"));
        grab(screen);
    }

    // The biggest bill of the tables that were eating before, clicked; the money received typed
    // (a round sum above the bill) and a note added; not yet settled.
    void settle() {
        const ui::Window& screen = veltrano_.checkoutScreen;
        pictures::chooseToolbarEntry(desktop_, veltrano_.mainWindow, text("买单结账"));
        QApplication::processEvents();
        auto* orders = on<QTableView>(screen, "超级列表框_流水");
        const QAbstractItemModel* rows = orders->model();
        int biggest = -1;
        for (int row = 0; row < rows->rowCount(); ++row) {
            if (rows->index(row, 1).data().toString() == openedNumber_) continue;
            if (biggest < 0 || rows->index(row, 5).data().toLongLong() >
                                   rows->index(biggest, 5).data().toLongLong())
                biggest = row;
        }
        pictures::clickRow(orders, biggest);
        const qint64 amount = on<QLabel>(screen, "标签_金额")->text().toLongLong();
        if (amount <= 0) throw std::runtime_error("the clicked order shows no amount");
        pictures::typeText(on<QLineEdit>(screen, "编辑框_金额"),
                           QString::number((amount / 100 + 1) * 100));
        pictures::typeText(on<QWidget>(screen, "编辑框_备注文本"), text(kCheckoutNote));
        grab(screen);
    }

    // The orders of December, the list scrolled to the last evening and its last settled order
    // clicked.
    void lookUpTheMonth() {
        const ui::Window& screen = veltrano_.recordsScreen;
        pictures::chooseToolbarEntry(desktop_, veltrano_.mainWindow, text("明细查询"));
        const QDate last(pictures::kPictureMoment.year, pictures::kPictureMoment.month,
                         pictures::kPictureMoment.day);
        on<QDateEdit>(screen, "日期框1")->setDate(QDate(last.year(), last.month(), 1));
        on<QDateEdit>(screen, "日期框2")->setDate(last);
        pictures::click(on<QPushButton>(screen, "按钮_查询时间"));
        auto* orders = on<QTableView>(screen, "超级列表框_流水");
        QApplication::processEvents();
        orders->scrollToBottom();
        int settled = orders->model()->rowCount() - 1;
        while (settled >= 0 &&
               orders->model()->index(settled, 6).data().toString() != text("已结账"))
            --settled;
        pictures::clickRow(orders, settled);
        lookedUpNumber_ = orders->model()->index(settled, 1).data().toString().toStdString();
        grab(screen);
    }

    // The receipt of the order looked up, as an 80 mm printer prints it: built from the
    // database, turned into the printer's bytes, read back from them as the printer reads them,
    // and drawn column by column, twelve pixels each as the printer's dots.
    void pictureTheReceipt() {
        const printing::Restaurant restaurant{"老陈家常菜", "幸福路 18 号", "0571-8888 6666",
                                              "谢谢惠顾，欢迎再来"};
        if (!printing::storeRestaurant(veltrano_, restaurant))
            throw std::runtime_error("the restaurant's name was not stored");
        const auto receipt = printing::readReceipt(veltrano_, lookedUpNumber_);
        if (!receipt) throw std::runtime_error("the looked-up order has no receipt");
        const printing::Ticket ticket = printing::receiptTicket(
            restaurant, *receipt, printing::ReceiptKind::Receipt, printing::kWideColumns);
        const auto printout = testing_support::decodeEscPos(
            printing::escPosBytes(ticket, printing::TextEncoding::Gb18030), "GB18030");
        if (!printout.faults.empty())
            throw std::runtime_error("the printer would not read the receipt: " +
                                     printout.faults.front());
        printing::Ticket printed;
        for (const auto& line : printout.lines)
            printed.lines.push_back(
                {line.text, static_cast<printing::Align>(line.align), line.bold, line.large});

        constexpr int kDotsPerColumn = 12;
        constexpr int kMargin = 24;
        const qtui::TicketPainter paper(printing::kWideColumns, kDotsPerColumn);
        QImage image(static_cast<int>(paper.width()) + 2 * kMargin,
                     static_cast<int>(paper.height(printed)) + 2 * kMargin, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        paper.paint(painter, printed, kMargin, kMargin, image.height(), [] { return 0.0; });
        painter.end();
        shots_.push_back({QStringLiteral("PrintedReceipt.png"), QPixmap::fromImage(image)});
    }

    // The cashier chosen in both lists: name and password, and the permissions of the job.
    void lookAtAUser() {
        const ui::Window& screen = veltrano_.userSettingsScreen;
        const QString cashier = text("收银-小王");
        auto* users = on<QListWidget>(screen, "列表框_用户");
        const auto found = users->findItems(cashier, Qt::MatchExactly);
        if (found.isEmpty()) throw std::runtime_error("no cashier in the user list");
        pictures::clickRow(users, users->row(found[0]));
        pictures::pick(on<QComboBox>(screen, "组合框_用户"), cashier);
        grab(screen);
        pictures::click(on<QPushButton>(screen, "按钮3"));
    }

    // The last dining table chosen, then the last dish of the main dishes.
    void lookAtTheRestaurant() {
        const ui::Window& screen = veltrano_.restaurantSettingsScreen;
        auto* tables = on<QListWidget>(screen, "列表框_餐台");
        pictures::clickRow(tables, tables->count() - 1);
        const ui::OutlookBar& menu = screen.outlookBar("卷帘式菜单_菜单");
        auto* bar = on<QWidget>(screen, "卷帘式菜单_菜单");
        const int mains = 1;
        pictures::openGroup(bar, QString::fromStdString(menu.groupText(mains)));
        pictures::clickItem(
            bar, QString::fromStdString(menu.itemText(menu.itemCount(mains) - 1, mains)));
        grab(screen);
        pictures::click(on<QPushButton>(screen, "按钮10"));
    }

    // The page since the last close, with the drawer counted but the close not yet confirmed.
    void closeTheDay() {
        pictures::chooseToolbarEntry(desktop_, veltrano_.mainWindow, text("日结"));
        const ui::Window& screen = veltrano_.dayCloseScreen;
        // The first close takes in the whole month; the drawer is counted four yuan short.
        pictures::typeText(on<QLineEdit>(screen, "编辑框_实点现金"), text("7160"));
        pictures::typeText(on<QLineEdit>(screen, "编辑框_备用金"), text("300"));
        grab(screen);
    }

    // The report is worked out off the screen thread: shown once its period is in the caption.
    bool reportShown(const char* firstDay) const {
        const ui::Window& screen = veltrano_.reportsScreen;
        return isShown(desktop_, screen) &&
               screen.label("标签_期间").caption().starts_with(std::string("本期：") + firstDay);
    }

    void askForTheMonth() {
        const ui::Window& screen = veltrano_.reportsScreen;
        pictures::pick(on<QComboBox>(screen, "组合框_期间"), text("本月"));
        pictures::click(on<QPushButton>(screen, "按钮_查询"));
    }

    // December's best dishes, its hours and its days, then its categories in each look of the
    // program, the first look chosen again at the end.
    void readTheMonth() {
        const ui::Window& screen = veltrano_.reportsScreen;
        grab(screen);
        pictures::pick(on<QComboBox>(screen, "组合框_分析"), text("时段"));
        grab(screen, QStringLiteral("-hours"));
        pictures::pick(on<QComboBox>(screen, "组合框_分析"), text("日期"));
        grab(screen, QStringLiteral("-days"));
        auto* looks = on<QComboBox>(veltrano_.mainWindow, "组合框_皮肤");
        const int chosen = looks->currentIndex();
        pictures::pick(on<QComboBox>(screen, "组合框_分析"), text("分类"));
        for (int look = 0; look < looks->count(); ++look) {
            pictures::pick(looks, looks->itemText(look));
            grab(screen, QStringLiteral("-look%1").arg(look));
        }
        pictures::pick(looks, looks->itemText(chosen));
        pictures::pick(on<QComboBox>(screen, "组合框_分析"), text("菜品销量前十"));
    }

    // The day's backup is made and listed off the screen thread: the screen is shown before.
    bool backupsListed() const {
        return isShown(desktop_, veltrano_.backupScreen) &&
               veltrano_.backupScreen.listView("超级列表框_备份").rowCount() > 0;
    }

    // The day's backup chosen, as before a restore.
    void lookAtTheBackups() {
        const ui::Window& screen = veltrano_.backupScreen;
        pictures::clickRow(on<QTableView>(screen, "超级列表框_备份"), 0);
        grab(screen);
        pictures::click(on<QPushButton>(screen, "按钮_关闭"));
    }

    // A receipt printer on the network being set up (the port is 9100 already), before it is
    // saved.
    void lookAtThePrinters() {
        const ui::Window& screen = veltrano_.printerSettingsScreen;
        pictures::typeText(on<QLineEdit>(screen, "编辑框_名称"), text("前台小票"));
        pictures::typeText(on<QLineEdit>(screen, "编辑框_地址"), text("192.168.1.50"));
        pictures::typeText(on<QLineEdit>(screen, "编辑框_餐厅名称"), text("老陈家常菜"));
        pictures::typeText(on<QLineEdit>(screen, "编辑框_小票页脚"), text("谢谢惠顾，欢迎再来"));
        grab(screen);
        pictures::click(on<QPushButton>(screen, "按钮_关闭"));
    }

    static int rowWith(const QTableView* list, int column, const QString& cell) {
        for (int row = 0; row < list->model()->rowCount(); ++row)
            if (list->model()->index(row, column).data().toString() == cell) return row;
        throw std::runtime_error(list->objectName().toStdString() + " has no " +
                                 cell.toStdString());
    }

    // After a failure: whatever is open goes, and the program ends.
    void giveUp() {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        veltrano_.endProgram();
        for (ui::Window* modal :
             {&veltrano_.userSettingsScreen, &veltrano_.restaurantSettingsScreen,
              &veltrano_.backupScreen, &veltrano_.printerSettingsScreen, &veltrano_.loginScreen})
            if (modal->isOpen()) modal->close();
        if (veltrano_.mainWindow.isOpen()) veltrano_.mainWindow.close();
    }

    qtui::QtDesktop& desktop_;
    app::App& veltrano_;
    QDir output_;
    pictures::StepRunner steps_;
    std::vector<std::pair<QString, QPixmap>> shots_;
    QString openedNumber_;       // of the table the walk opened
    std::string lookedUpNumber_; // of the settled order clicked in the records
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrano"));
    // A blinking caret would be caught on or off by chance.
    QApplication::setCursorFlashTime(0);
    const QDir output(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens"));
    if (!QDir().mkpath(output.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(output.path()));
        return 1;
    }

    const QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    const std::filesystem::path directory(folder.path().toStdU16String());
    std::string error;
    if (!pictures::createSampleRestaurant(directory / "cysj.db", &error)) {
        std::fprintf(stderr, "cannot make the database: %s\n", error.c_str());
        return 1;
    }

    pictures::AnsweringDialogs dialogs;
    dialogs.inputAnswers.push_back(text(kAnnouncement));
    qtui::QtDesktop desktop(dialogs, directory,
                            QStringLiteral("VeltranoScreens-") +
                                QUuid::createUuid().toString(QUuid::WithoutBraces));
    const pictures::StoppedClock clock(pictures::kPictureMoment);
    desktop.useClock(clock);
    app::App veltrano(desktop);
    program::bindScreens(veltrano);

    Walk walk(desktop, veltrano, output);
    walk.start();
    veltrano.run();

    int failures = 0;
    for (const std::string& failure : walk.steps().failures()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        ++failures;
    }
    for (const QString& message : dialogs.messages) {
        if (kExpectedMessages.contains(message)) continue;
        std::fprintf(stderr, "the program said: %s\n", qPrintable(message));
        ++failures;
    }
    if (!walk.steps().succeeded() && failures == 0) {
        std::fprintf(stderr, "the program ended before every screen was shown\n");
        ++failures;
    }
    if (failures == 0) failures = walk.save();
    return failures == 0 ? 0 : 1;
}
