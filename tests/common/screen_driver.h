#pragma once

#include "ui/window.h"

#include <string_view>

namespace testing_support {

// Acts on an open window as a person at the counter would. Each action goes through the
// controls' user operations, so a disabled control or a window blocked by a modal one ignores
// it, exactly as on screen. Naming an item that is not there fails the test.
class ScreenDriver {
public:
    explicit ScreenDriver(ui::Window& window) : window_(window) {}

    void click(std::string_view button);
    // Typed at the end of an edit box or an editable combo box, character by character.
    void type(std::string_view box, std::string_view text);
    // Clears the box, then types.
    void retype(std::string_view box, std::string_view text);
    void pressKey(std::string_view control, int key, int modifiers = 0);
    void pressEnter(std::string_view control);

    // ComboBox or ListBox.
    void pick(std::string_view list, int index);
    void pick(std::string_view list, std::string_view itemText);
    void toggle(std::string_view checkList, int index);

    void clickRow(std::string_view listView, int row, int modifiers = 0);
    void clickEmptySpace(std::string_view listView);

    void chooseGroup(std::string_view outlookBar, std::string_view groupText);
    void chooseItem(std::string_view outlookBar, std::string_view itemText);

    void clickToolButton(std::string_view toolBar, int index);
    void chooseMenuItem(std::string_view item);

private:
    ui::Window& window_;
};

} // namespace testing_support
