#include "ui/layout_check.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace testing_support {

void expectLayout(const ui::WindowDef& def, std::span<const Expected> table) {
    ASSERT_EQ(def.controls.size(), table.size()) << def.name;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Expected& row = table[i];
        const ui::ControlDef& actual = def.controls[i];
        SCOPED_TRACE(def.name + " / " + row.name);
        EXPECT_EQ(actual.name, row.name);
        EXPECT_EQ(actual.kind, row.kind);
        EXPECT_EQ(actual.container, row.container);
        const ui::Rect& r = actual.rect;
        EXPECT_EQ((std::array{r.left, r.top, r.width, r.height}),
                  (std::array{row.left, row.top, row.width, row.height}));
        const bool drawn =
            row.kind != ui::ControlKind::Timer && row.kind != ui::ControlKind::SupperMenu;
        EXPECT_EQ(actual.visible, drawn);
        EXPECT_FALSE(actual.disabled);
    }
}

void expectUniqueNamesAndEarlierContainers(const ui::WindowDef& def) {
    const auto& controls = def.controls;
    for (auto it = controls.begin(); it != controls.end(); ++it) {
        SCOPED_TRACE(def.name + " / " + it->name);
        EXPECT_EQ(std::count_if(controls.begin(), controls.end(),
                                [&](const ui::ControlDef& c) { return c.name == it->name; }),
                  1);
        if (it->container.empty()) continue;
        const auto box = std::find_if(
            controls.begin(), it, [&](const ui::ControlDef& c) { return c.name == it->container; });
        ASSERT_NE(box, it) << "container missing or defined after its child";
        EXPECT_EQ(box->kind, ui::ControlKind::GroupBox);
    }
}

} // namespace testing_support
