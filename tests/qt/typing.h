#pragma once

#include <QString>

class QWidget;

namespace testing_support {

// Types into a box as a person at the counter does: ASCII from the keyboard, other text committed
// by an input method as a Chinese input method does.
void typeText(QWidget* box, const QString& typed);

} // namespace testing_support
