#include "app/skins.h"

#include "store/schema.h"

namespace app {

namespace users = store::schema::users;

void applyAndStoreSkin(App& app) {
    const int skin = app.mainWindow.comboBox("组合框_皮肤").selection();
    if (skin >= 0 && skin <= 4) app.desktop().applySkin(skin);

    // Stored whether or not a look was applied; a missing user or database stores nothing.
    if (!app.openTable(app.users, users::kTable)) return;
    const std::string shownUser = app.mainWindow.label("标签_用户").caption();
    if (app.users.FindFirst({{users::kName, shownUser}})) {
        app.users.BeginEdit();
        app.users.Write(users::kSkin, skin);
        app.users.Commit();
    }
    app.users.Close();
}

} // namespace app
