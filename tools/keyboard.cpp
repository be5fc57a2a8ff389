#include "keyboard.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>

namespace typing {

void typeAsAPerson(QWidget* box, const QString& typed) {
    box->setFocus();
    for (const QChar character : typed) {
        if (character.unicode() < 0x80) {
            QTest::keyClicks(box, QString(character));
        } else {
            QInputMethodEvent committed;
            committed.setCommitString(QString(character));
            QApplication::sendEvent(box, &committed);
        }
    }
    QApplication::processEvents();
}

} // namespace typing
