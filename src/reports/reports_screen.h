#pragma once

#include "app/app.h"

namespace reports {

// The 营业报表 screen: a period's figures against the period before, and one breakdown at a time
// as a table and a chart, worked out off the screen thread.
void bindReportsScreen(app::App& app);

// The setting that holds the hour the business day starts, "05:00" unless set otherwise.
inline constexpr char kDayStartSetting[] = "营业日开始";

} // namespace reports
