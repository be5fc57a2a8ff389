#pragma once

#include <array>

namespace qtui {

// The colours and shapes that tell one look from another; the style sheet and the palette are
// built from these, so every look styles the same widgets.
struct LookTheme {
    const char* name;

    const char* window;
    const char* text;

    const char* base;
    const char* readOnly;
    const char* inputBorder;
    const char* focus;

    const char* buttonTop;
    const char* buttonBottom;
    const char* buttonBorder;
    const char* buttonBevel; // top and left edge; differs from the border only on raised looks
    const char* buttonText;
    const char* hoverTop;
    const char* hoverBottom;
    const char* hoverBorder;
    const char* pressedTop;
    const char* pressedBottom;
    const char* pressedText;

    const char* disabledBack;
    const char* disabledText;
    const char* disabledBorder;

    const char* selection;
    const char* selectionText;

    const char* headerTop;
    const char* headerBottom;
    const char* headerText;
    const char* headerBorder;
    const char* grid;
    const char* alternate;

    const char* toolbarTop;
    const char* toolbarBottom;
    const char* toolText;
    const char* toolDisabledText;
    const char* toolHover;
    const char* toolHoverBorder;
    const char* toolPressed;
    const char* toolPressedText;

    const char* menuBack;
    const char* menuText;
    const char* menuBorder;
    const char* menuSelected;
    const char* menuSelectedText;
    const char* menuDisabledText;
    const char* menuSeparator;

    const char* scrollGroove;
    const char* scrollHandle;
    const char* scrollHandleHover;

    const char* frame;
    const char* line;
    const char* statusBack;
    const char* statusText;
    const char* tipBack;
    const char* tipText;

    const char* navTop; // month and year bar of the calendar
    const char* navBottom;
    const char* navText;

    int radius;
    int borderWidth;
    bool glossy; // a hard light edge across the middle of buttons, like brushed metal
};

inline constexpr int kLookCount = 5;

const std::array<LookTheme, kLookCount>& lookThemes();

} // namespace qtui
