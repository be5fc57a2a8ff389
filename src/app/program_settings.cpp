#include "app/program_settings.h"

#include "store/schema.h"

namespace app {
namespace {

namespace settings = store::schema::programSettings;

bool storeOne(store::SqliteTable& table, const std::string& name, const std::string& value) {
    // An empty value is stored as none: the cursor writes an empty text as NULL.
    if (table.FindFirst({{settings::kName, name}}))
        return table.BeginEdit() && store::writeTextOrNothing(table, settings::kValue, value) &&
               table.Commit();
    return table.BeginAdd() && table.Write(settings::kName, name) &&
           store::writeTextOrNothing(table, settings::kValue, value) && table.Commit();
}

} // namespace

std::optional<std::string> readSetting(App& app, const std::string& name) {
    store::SqliteTable& table = app.programSettings;
    const store::FaultWatch watch = app.watchDatabase();
    std::optional<std::string> value;
    if (app.openTable(table, settings::kTable) && table.FindFirst({{settings::kName, name}}))
        value = table.ReadText(settings::kValue);
    table.Close();
    return watch.failed() ? std::nullopt : value;
}

bool storeSettings(App& app, const SettingValues& values) {
    store::SqliteTable& table = app.programSettings;
    bool stored = app.openTable(table, settings::kTable) && app.database.BeginWriteTransaction();
    for (const auto& [name, value] : values)
        stored = stored && storeOne(table, name, value);
    stored = stored && app.database.CommitTransaction();
    if (app.database.InTransaction()) app.database.RollbackTransaction();
    table.Close();
    return stored;
}

} // namespace app
