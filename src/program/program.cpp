#include "program/program.h"

#include "app/shell.h"
#include "backup/backup_screen.h"
#include "checkout/checkout_screen.h"
#include "dayclose/day_close_screen.h"
#include "ordering/order_screen.h"
#include "printing/printing_binding.h"
#include "records/records_screen.h"
#include "reports/reports_screen.h"
#include "settings/restaurant_settings_screen.h"
#include "settings/user_settings_screen.h"

namespace program {

void bindScreens(app::App& app, printing::PrinterFactory printers) {
    app::bindShell(app);
    ordering::bindOrderScreen(app);
    checkout::bindCheckoutScreen(app);
    records::bindRecordsScreen(app);
    settings::bindUserSettingsScreen(app);
    settings::bindRestaurantSettingsScreen(app);
    backup::bindBackup(app);
    dayclose::bindDayCloseScreen(app);
    reports::bindReportsScreen(app);
    printing::bindPrinting(app, std::move(printers));
    // A handler waiting on a message may hold the cursors the lists are read with.
    app.mainWindow.definition().control("时钟_刷新").on.tick = [&app] {
        if (app.showingMessage() || app.database.InTransaction() ||
            !app.database.ChangedElsewhere())
            return;
        ordering::followOtherCounters(app);
        checkout::followOtherCounters(app);
    };
}

} // namespace program
