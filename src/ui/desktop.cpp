#include "ui/desktop.h"

namespace ui {

int Desktop::messageBox(std::string_view text, int flags, std::string_view title, Window* owner) {
    return showMessageBox(text, flags, title, owner);
}

} // namespace ui
