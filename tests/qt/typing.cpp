#include "typing.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace testing_support {

void typeText(QWidget* box, const QString& typed) {
    ASSERT_NE(box, nullptr);
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

} // namespace testing_support
