#include "settings/user_settings_screen.h"

#include "store/schema.h"
#include "support/text_rules.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

namespace settings {
namespace {

namespace users = store::schema::users;

// The administrator's record is the first in table order.
constexpr int kAdministratorRecord = 1;
constexpr int kPermissionCount = static_cast<int>(std::size(users::kPermissions));

void warn(app::App& app, std::string_view text) {
    app.message(app.userSettingsScreen, text, ui::kWarningBox);
}

void inform(app::App& app, std::string_view text) {
    app.message(app.userSettingsScreen, text, ui::kInformationBox);
}

ui::ListBox& userList(app::App& app) {
    return app.userSettingsScreen.listBox("列表框_用户");
}
ui::ComboBox& permissionUser(app::App& app) {
    return app.userSettingsScreen.comboBox("组合框_用户");
}
ui::EditBox& nameBox(app::App& app) {
    return app.userSettingsScreen.editBox("编辑框_用户");
}
ui::EditBox& passwordBox(app::App& app) {
    return app.userSettingsScreen.editBox("编辑框_密码");
}
ui::ChkListBox& permissionList(app::App& app) {
    return app.userSettingsScreen.chkListBox("选择列表框_权限");
}

// Names need not be unique, so a name leads to the first record that bears it: the one whose
// fields are shown and written. Leaves the cursor open on it.
bool findUser(app::App& app, const std::string& name) {
    return app.openTable(app.users, users::kTable) && app.users.FindFirst({{users::kName, name}});
}

// A name shared with the administrator leads to the administrator's record, so it is guarded as
// if the administrator itself had been chosen.
bool reachedAdministrator(app::App& app, int selected, bool found) {
    return selected == 0 || (found && app.users.Position() == kAdministratorRecord);
}

void failed(app::App& app, std::string_view text) {
    app.reportFailure(app.userSettingsScreen, text);
}

void fillUserLists(app::App& app) {
    ui::ListBox& list = userList(app);
    ui::ComboBox& combo = permissionUser(app);
    const store::FaultWatch watch = app.watchDatabase();
    app.openTable(app.users, users::kTable);
    list.clearItems();
    combo.clearItems();
    app.users.First();
    const int count = app.users.RecordCount();
    for (int record = 0; record < count; ++record) {
        const std::string name = app.users.ReadText(users::kName);
        list.addItem(name);
        combo.addItem(name);
        app.users.Skip();
    }
    app.users.Close();
    if (watch.failed()) failed(app, app::kReadFailed);
}

void clearForm(app::App& app) {
    nameBox(app).setContent("");
    passwordBox(app).setContent("");
}

void showSelectedUser(app::App& app) {
    const int selected = userList(app).selection();
    if (selected < 0) return;
    const store::FaultWatch watch = app.watchDatabase();
    const bool found = findUser(app, userList(app).itemText(selected));
    if (found) {
        nameBox(app).setContent(app.users.ReadText(users::kName));
        passwordBox(app).setContent(app.users.ReadText(users::kPassword));
    }
    // Deletion goes by position, so only the administrator's own row keeps the button disabled.
    nameBox(app).setDisabled(reachedAdministrator(app, selected, found));
    app.userSettingsScreen.button("按钮_删除").setDisabled(selected == 0);
    app.users.Close();
    if (watch.failed()) failed(app, app::kReadFailed);
}

void addUser(app::App& app) {
    // With the administrator shown, the first click only makes room for typing a new user.
    if (nameBox(app).disabled()) {
        userList(app).setSelection(-1);
        nameBox(app).setDisabled(false);
        app.userSettingsScreen.button("按钮_删除").setDisabled(false);
        return clearForm(app);
    }
    const std::string name = nameBox(app).content();
    const std::string password = passwordBox(app).content();
    if (std::ranges::find(userList(app).items(), name) != userList(app).items().end())
        return warn(app, "要添加的用户已存在。请修改！");
    if (support::isBlank(name) || support::isBlank(password))
        return warn(app, "用户或密码不能为空，请检查！");

    app.openTable(app.users, users::kTable);
    app.users.BeginAdd();
    app.users.Write(users::kName, name);
    app.users.Write(users::kPassword, password);
    app.users.Write(users::kSkin, 0);
    for (const char* permission : users::kPermissions)
        app.users.Write(permission, 0);
    const bool added = app.users.Commit();
    app.users.Close();
    if (!added) return failed(app, "用户添加失败，请检查！");
    inform(app, "用户添加成功！");
    clearForm(app);
    fillUserLists(app);
}

void modifyUser(app::App& app) {
    const int selected = userList(app).selection();
    if (selected < 0) return warn(app, "请先选择要修改的用户！");
    const std::string name = nameBox(app).content();
    const std::string password = passwordBox(app).content();
    if (support::isBlank(name) || support::isBlank(password))
        return warn(app, "用户或密码不能为空，请检查！");

    const store::FaultWatch watch = app.watchDatabase();
    if (!findUser(app, userList(app).itemText(selected))) {
        app.users.Close();
        // A user deleted meanwhile is left alone; one that could not be looked up is a failure.
        if (watch.failed()) failed(app, "修改失败，请检查！");
        return;
    }
    app.users.BeginEdit();
    app.users.Write(users::kName, name);
    app.users.Write(users::kPassword, password);
    const bool modified = app.users.Commit();
    app.users.Close();
    if (!modified) return failed(app, "修改失败，请检查！");
    inform(app, "修改成功！");
    clearForm(app);
    fillUserLists(app);
}

void deleteUser(app::App& app) {
    const int selected = userList(app).selection();
    if (selected < 0) return warn(app, "请先选择要删除的用户！");

    app.openTable(app.users, users::kTable);
    app.users.First();
    app.users.GoTo(selected + 1);
    const bool deleted = app.users.Delete();
    app.users.Close();
    // A user still stored must not look deleted.
    if (!deleted) return failed(app, "删除失败，请检查！");
    inform(app, "删除成功！");
    clearForm(app);
    fillUserLists(app);
}

void setPermissionControlsDisabled(app::App& app, bool disabled) {
    permissionList(app).setDisabled(disabled);
    for (const char* button : {"按钮_全选", "按钮_反选", "按钮_确定"})
        app.userSettingsScreen.button(button).setDisabled(disabled);
}

void showPermissions(app::App& app) {
    const int selected = permissionUser(app).selection();
    if (selected < 0) return;
    const store::FaultWatch watch = app.watchDatabase();
    const bool found = findUser(app, permissionUser(app).itemText(selected));
    if (found) {
        // Only 1 grants; any other stored value shows as not granted.
        for (int item = 0; item < kPermissionCount; ++item)
            permissionList(app).setItemTicked(item,
                                              app.users.ReadInt(users::kPermissions[item]) == 1);
    }
    setPermissionControlsDisabled(app, reachedAdministrator(app, selected, found));
    app.users.Close();
    if (watch.failed()) failed(app, app::kReadFailed);
}

void markAll(app::App& app, bool ticked) {
    if (permissionUser(app).selection() < 0) return warn(app, "请选择要设置权限的用户！");
    for (int item = 0; item < permissionList(app).itemCount(); ++item)
        permissionList(app).setItemTicked(item, ticked);
}

void savePermissions(app::App& app) {
    const int selected = permissionUser(app).selection();
    if (selected < 0) return warn(app, "请选择要设置权限的用户！");

    const store::FaultWatch watch = app.watchDatabase();
    if (!findUser(app, permissionUser(app).itemText(selected))) {
        app.users.Close();
        if (watch.failed()) failed(app, "修改失败，请检查！");
        return;
    }
    // One commit, so a refused write leaves all ten as they were.
    app.users.BeginEdit();
    for (int item = 0; item < kPermissionCount; ++item)
        app.users.Write(users::kPermissions[item], permissionList(app).itemTicked(item) ? 1 : 0);
    const bool saved = app.users.Commit();
    app.users.Close();
    if (!saved) return failed(app, "修改失败，请检查！");
    inform(app, "权限设置成功！");
    permissionUser(app).setSelection(-1);
    for (int item = 0; item < permissionList(app).itemCount(); ++item)
        permissionList(app).setItemTicked(item, false);
}

} // namespace

void bindUserSettingsScreen(app::App& app) {
    ui::WindowDef& def = app.userSettingsScreen.definition();
    def.on.created = [&app] { fillUserLists(app); };
    def.control("列表框_用户").on.selectionChanged = [&app] { showSelectedUser(app); };
    def.control("按钮_添加").on.clicked = [&app] { addUser(app); };
    def.control("按钮_修改").on.clicked = [&app] { modifyUser(app); };
    def.control("按钮_删除").on.clicked = [&app] { deleteUser(app); };
    def.control("组合框_用户").on.selectionChanged = [&app] { showPermissions(app); };
    def.control("按钮_全选").on.clicked = [&app] { markAll(app, true); };
    // Despite its caption the button clears every mark; it does not invert them.
    def.control("按钮_反选").on.clicked = [&app] { markAll(app, false); };
    def.control("按钮_确定").on.clicked = [&app] { savePermissions(app); };
    def.control("按钮3").on.clicked = [&app] { app.userSettingsScreen.close(); };
}

} // namespace settings
