#include "backup/backup_screen.h"

#include "app/main_window.h"
#include "app/permissions.h"
#include "app/work_screens.h"
#include "backup/daily_backup.h"
#include "backup/restore.h"
#include "store/schema.h"
#include "support/gbk.h"
#include "support/path_text.h"
#include "support/text_rules.h"

#include <charconv>
#include <cstdio>
#include <memory>
#include <utility>

namespace backup {
namespace {

// What the screen shows of one backup, read off the screen thread.
struct ListedBackup {
    BackupFile file;
    std::optional<std::int64_t> orders;
};

struct ScreenState {
    BackupActivity activity;
    std::vector<ListedBackup> listed;
    // A restore replaced the file: the program starts over at the login once the screen closes.
    bool restartPending = false;
};

std::string sizeText(std::uintmax_t bytes) {
    char text[32];
    if (bytes >= 1024 * 1024)
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024 * 1024));
    else
        std::snprintf(text, sizeof text, "%.1f KB", static_cast<double>(bytes) / 1024);
    return text;
}

ui::Window& screenOf(app::App& app) {
    return app.backupScreen;
}

void warn(app::App& app, std::string_view text) {
    app.message(screenOf(app), text, ui::kWarningBox);
}

bool mayChange(const app::App& app) {
    return app.currentUser.granted(app::Permission::SetUsers);
}

// While a backup or a restore runs, neither can start again; changing the settings and restoring
// wait for the permission to set users, which can replace every user as well.
void showBusy(app::App& app, bool busy, std::string_view status) {
    ui::Window& screen = screenOf(app);
    if (!screen.isOpen()) return;
    screen.control("按钮_立即备份").setDisabled(busy);
    screen.control("按钮_恢复").setDisabled(busy || !mayChange(app));
    screen.label("标签_进度").setCaption(status);
}

// The bar shows only while there is work to follow, and its outcome after.
void showPercent(app::App& app, int percent) {
    if (!screenOf(app).isOpen()) return;
    ui::ProgressBar& bar = screenOf(app).progressBar("进度条_备份");
    bar.setVisible(true);
    bar.setPercent(percent);
}

// The folder's backups, each with the orders it holds, read off the screen thread: opening a
// month of large files takes a moment.
void listBackups(app::App& app, const std::shared_ptr<ScreenState>& state) {
    const std::filesystem::path folder = readBackupSettings(app).folder;
    auto found = std::make_shared<std::vector<ListedBackup>>();
    app.desktop().runInBackground(
        [folder, found] {
            for (BackupFile& file : backup::listBackups(folder)) {
                auto orders = store::countRows(file.path, store::schema::orders::kTable);
                found->push_back({std::move(file), orders});
            }
        },
        [&app, state, found] {
            if (!screenOf(app).isOpen()) return;
            state->listed = std::move(*found);
            ui::ListView& list = screenOf(app).listView("超级列表框_备份");
            list.deleteAllRows();
            ui::ListView::RowBurst rows(list);
            for (const ListedBackup& backup : state->listed)
                rows.add({"", support::sortableMoment(backup.file.moment),
                          sizeText(backup.file.bytes),
                          backup.orders ? std::to_string(*backup.orders) : "无法读取"});
        });
}

void showSettings(app::App& app) {
    ui::Window& screen = screenOf(app);
    const BackupSettings settings = readBackupSettings(app);
    screen.editBox("编辑框_备份目录").setContent(support::pathText(settings.folder));
    screen.editBox("编辑框_保留天数").setContent(std::to_string(settings.daysKept));
    screen.comboBox("组合框_自动备份").setSelection(settings.daily ? 0 : 1);
}

void open(app::App& app, const std::shared_ptr<ScreenState>& state) {
    ui::Window& screen = screenOf(app);
    screen.listView("超级列表框_备份").numberRowsIn(0);
    for (const char* control : {"按钮_选择目录", "按钮_保存设置"})
        screen.control(control).setDisabled(!mayChange(app));
    showSettings(app);
    screen.progressBar("进度条_备份").setVisible(state->activity.busy);
    showBusy(app, state->activity.busy, state->activity.busy ? "正在备份…" : "");
    listBackups(app, state);
}

void chooseFolder(app::App& app) {
    ui::EditBox& box = screenOf(app).editBox("编辑框_备份目录");
    const std::string current = box.content();
    const auto folder =
        app.desktop().chooseFolder("选择备份目录", support::pathFromText(current), &screenOf(app));
    if (folder) box.setContent(support::pathText(*folder));
}

std::optional<int> daysTyped(const std::string& text) {
    int days = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), days);
    if (error != std::errc() || end != text.data() + text.size() || days < 1 ||
        days > kMostDaysKept)
        return std::nullopt;
    return days;
}

void saveSettings(app::App& app, const std::shared_ptr<ScreenState>& state) {
    ui::Window& screen = screenOf(app);
    const std::string folder = screen.editBox("编辑框_备份目录").content();
    if (support::isBlank(folder)) return warn(app, "请选择备份目录！");
    // The settings table keeps what GBK can hold, like every text of the file.
    if (!support::isGbkText(folder)) return warn(app, "备份目录中有无法保存的字符，请重新选择！");
    const auto days = daysTyped(screen.editBox("编辑框_保留天数").content());
    if (!days) return warn(app, "保留天数请输入1到3650之间的整数！");
    const BackupSettings settings{support::pathFromText(folder), *days,
                                  screen.comboBox("组合框_自动备份").selection() != 1};
    if (!storeBackupSettings(app, settings))
        return app.reportFailure(screen, "备份设置保存失败，请检查！");
    app.message(screen, "备份设置保存成功！", ui::kInformationBox);
    listBackups(app, state);
}

void backUpNow(app::App& app, const std::shared_ptr<ScreenState>& state) {
    if (state->activity.busy) return warn(app, "正在备份，请稍候！");
    const BackupSettings settings = readBackupSettings(app);
    showPercent(app, 0);
    showBusy(app, true, "正在备份…");
    startBackup(
        app, state->activity, settings, [&app](int percent) { showPercent(app, percent); },
        [&app, folder = settings.folder](const BackupOutcome& outcome) {
            showBusy(app, false, outcome.file ? "备份完成" : "备份失败");
            if (!screenOf(app).isOpen()) return;
            if (outcome.damagedDatabase)
                return warn(app,
                            "数据库文件已损坏，不能备份，已有的备份都保留着。请用最近的备份恢复！");
            if (!outcome.file) return warn(app, backupFailureText(folder));
            showPercent(app, 100);
            app.message(screenOf(app), "备份成功：" + support::pathText(*outcome.file),
                        ui::kInformationBox);
        });
}

std::string restoreQuestion(const ListedBackup& backup) {
    return "确定用 " + support::sortableMoment(backup.file.moment) +
           " 的备份恢复吗？\r\n当前数据库中的全部数据（用户、餐台、菜品和所有流水）将被这份备份"
           "替换，当前文件另存为 cysj-before-restore 文件。恢复后程序回到登录界面。";
}

void restoreEnded(app::App& app, const std::shared_ptr<ScreenState>& state,
                  const RestoreOutcome& outcome) {
    showBusy(app, false, "");
    screenOf(app).control("按钮_关闭").setDisabled(false);
    switch (outcome.result) {
    case RestoreResult::Restored:
        app.message(screenOf(app),
                    "恢复成功！原数据库已另存为：" + support::pathText(outcome.keptAs) +
                        "\r\n请重新登录。",
                    ui::kInformationBox);
        state->restartPending = true;
        screenOf(app).close();
        return;
    case RestoreResult::BackupUnusable:
        return warn(app, "该备份已损坏或不是本程序的数据库，不能恢复。当前数据未做任何改动！");
    case RestoreResult::CurrentNotKept:
        return warn(app, "当前数据库无法另存，恢复已取消。当前数据未做任何改动！");
    case RestoreResult::NotReplaced:
        return warn(app, "恢复失败，当前数据未做任何改动，请检查！");
    }
}

void restore(app::App& app, const std::shared_ptr<ScreenState>& state) {
    ui::Window& screen = screenOf(app);
    if (state->activity.busy) return warn(app, "正在备份，请稍候！");
    const int row = screen.listView("超级列表框_备份").selectedRow();
    if (row < 0 || row >= static_cast<int>(state->listed.size()))
        return warn(app, "请选择要恢复的备份！");
    const ListedBackup chosen = state->listed[static_cast<std::size_t>(row)];
    if (app.message(screen, restoreQuestion(chosen), ui::kQuestionOkCancel) != ui::kOk) return;

    // Nothing of this program may read or write the file while it is replaced.
    app::closeWorkScreens(app);
    app.database.Close();
    state->activity.busy = true;
    showBusy(app, true, "正在恢复…");
    // Closing now would leave the restart after the restore to nobody.
    screen.control("按钮_关闭").setDisabled(true);
    showPercent(app, 0);
    auto outcome = std::make_shared<RestoreOutcome>();
    ui::Desktop& desktop = app.desktop();
    desktop.runInBackground(
        [outcome, file = chosen.file.path, moment = desktop.clock().now(), path = databaseFile(app),
         report = percentReporter(desktop, [&app](int percent) { showPercent(app, percent); })] {
            *outcome = restoreBackup(path, file, moment, report);
        },
        [&app, state, outcome] {
            state->activity.busy = false;
            restoreEnded(app, state, *outcome);
        });
}

// A backup asked for by another screen (after a day close): the screen it came from says so
// only when it fails.
void backUpOnRequest(app::App& app, ScreenState& state) {
    if (state.activity.busy) return;
    const BackupSettings settings = readBackupSettings(app);
    startBackup(app, state.activity, settings, {},
                [&app, folder = settings.folder](const BackupOutcome& outcome) {
                    if (!outcome.file && !outcome.damagedDatabase)
                        app.message(app.mainWindow, backupFailureText(folder), ui::kWarningBox);
                });
}

bool dataOnServer(const app::App& app) {
    return app.databaseSetting.engine == store::Engine::Postgres;
}

void openScreen(app::App& app, const std::shared_ptr<ScreenState>& state) {
    screenOf(app).open(app.desktop(), &app.mainWindow, true);
    if (!std::exchange(state->restartPending, false)) return;
    app::restartAtLogin(app);
}

} // namespace

void bindBackup(app::App& app) {
    auto state = std::make_shared<ScreenState>();
    state->activity.backupEnded = [&app, weak = std::weak_ptr(state)] {
        const auto listed = weak.lock();
        if (listed && screenOf(app).isOpen()) listBackups(app, listed);
    };
    // The backups copy cysj.db; a counter whose data is on a server leaves them to the server.
    app.onStartUp = [&app, state] {
        if (!dataOnServer(app)) backUpAtStart(app, state->activity);
    };
    app.onExit = [&app, state] {
        if (!dataOnServer(app)) backUpAtExit(app, state->activity);
    };
    app.backUpNow = [&app, state] {
        if (!dataOnServer(app)) backUpOnRequest(app, *state);
    };
    app.mainWindow.definition().menuItem("备份与恢复").clicked = [&app, state] {
        if (!dataOnServer(app)) return openScreen(app, state);
        app.message(app.mainWindow,
                    "数据保存在数据库服务器上（" + app.databaseName() +
                        "），请在服务器上用 pg_dump 备份。",
                    ui::kInformationBox);
    };

    ui::WindowDef& def = screenOf(app).definition();
    def.on.created = [&app, state] { open(app, state); };
    def.control("按钮_关闭").on.clicked = [&app] { screenOf(app).close(); };
    def.control("按钮_选择目录").on.clicked = [&app] { chooseFolder(app); };
    def.control("按钮_保存设置").on.clicked = [&app, state] { saveSettings(app, state); };
    def.control("按钮_立即备份").on.clicked = [&app, state] { backUpNow(app, state); };
    def.control("按钮_恢复").on.clicked = [&app, state] { restore(app, state); };
}

} // namespace backup
