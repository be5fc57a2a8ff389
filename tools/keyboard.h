#pragma once

#include <QString>

class QWidget;

namespace typing {

// Types into a box as a person at the counter does: ASCII from the keyboard, other text committed
// by an input method as a Chinese input method does. Shared by the Qt tests and the pictures.
void typeAsAPerson(QWidget* box, const QString& typed);

} // namespace typing
