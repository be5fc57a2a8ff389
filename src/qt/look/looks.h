#pragma once

#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace qtui {

// The five looks a user can choose, by index: 0 grey classic, 1 gold blocks, 2 pink memories,
// 3 blue sky, 4 red-grey metal.
int lookCount();
QString lookName(int index);

// The whole style sheet of a look; empty for an index out of range.
QString lookStyleSheet(int index);
// The colours of a look for what the style sheet leaves alone: window backgrounds, plain text
// and the widgets it does not name.
QPalette lookPalette(int index);

// Every open and later window takes the look at once. An index out of range changes nothing.
bool applyLook(int index);

// The program's own pictures by name ("app", "user", "key", ...). An unknown name gives a null
// icon or pixmap.
QIcon icon(const QString& name);
QPixmap iconPixmap(const QString& name, QSize size);

} // namespace qtui
