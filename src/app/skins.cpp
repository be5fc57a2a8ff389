#include "app/skins.h"

#include "store/schema.h"

namespace app {

namespace users = store::schema::users;

void applyAndStoreSkin(App& app) {
    const int skin = app.mainWindow.comboBox("组合框_皮肤").selection();
    if (skin >= 0 && skin <= 4) app.desktop().applySkin(skin);

    // Stored whether or not a look was applied; a missing user stores nothing, and a skin already
    // stored is not written again.
    const store::FaultWatch watch = app.watchDatabase();
    bool stored = true;
    if (app.openTable(app.users, users::kTable) &&
        app.users.FindFirst({{users::kName, app.mainWindow.label("标签_用户").caption()}}) &&
        app.users.ReadInt(users::kSkin) != skin) {
        stored = app.users.BeginEdit() && app.users.Write(users::kSkin, skin) && app.users.Commit();
    }
    app.users.Close();
    if (!stored || watch.failed()) app.reportFailure(app.mainWindow, "皮肤保存失败，请检查！");
}

} // namespace app
