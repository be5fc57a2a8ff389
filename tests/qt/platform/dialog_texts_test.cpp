// Qt's own texts in the program's dialogs read Chinese, whatever the machine's language: the Qt
// test main loads the catalogues as the program's main does.

#include "modal_driver.h"
#include "qstring_printer.h"
#include "qt/platform/dialogs.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using platform_test::whenShown;
using qtui::SystemDialogs;

// A text as read on screen: without the "(&S)" that Chinese catalogues append for the shortcut,
// nor the "&" that marks one.
QString readable(QString text) {
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    text.remove(u'&');
    return text;
}

bool readsChinese(const QString& text) {
    const QString shown = readable(text);
    const auto latin = [](QChar c) { return c.unicode() < 128 && c.isLetter(); };
    const auto ideograph = [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; };
    return std::none_of(shown.begin(), shown.end(), latin) &&
           std::any_of(shown.begin(), shown.end(), ideograph);
}

// Every text a person sees on the dialog: labels, button captions and tooltips. Empty ones (icon
// buttons without a caption, an icon label) say nothing either way.
QStringList shownTexts(QWidget* dialog) {
    QStringList texts;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        if (label->isVisibleTo(dialog)) texts << label->text();
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (button->isVisibleTo(dialog)) texts << button->text() << button->toolTip();
    texts.removeAll(QString());
    return texts;
}

// The texts that do not read Chinese once the file name they quote is left out.
QStringList notChinese(const QStringList& texts, const QString& quoted = {}) {
    QStringList found;
    for (const QString& text : texts)
        if (!readsChinese(quoted.isEmpty() ? text : QString(text).remove(quoted))) found << text;
    return found;
}

QStringList buttonTexts(const QList<QAbstractButton*>& buttons) {
    QStringList texts;
    for (const QAbstractButton* button : buttons)
        texts << readable(button->text());
    texts.sort();
    return texts;
}

QStringList sorted(QStringList texts) {
    texts.sort();
    return texts;
}

struct BoxButtons {
    int flags;
    QStringList texts;
};

TEST(PlatformDialogTexts, MessageBoxButtonsAreChinese) {
    const BoxButtons boxes[] = {
        {ui::kQuestionOkCancel, {"确定", "取消"}},
        {ui::kWarningBox, {"确定"}},
    };
    for (const BoxButtons& expected : boxes) {
        SCOPED_TRACE(expected.flags);
        QStringList buttons, others;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            buttons = buttonTexts(box->buttons());
            others = notChinese(shownTexts(box));
            box->buttons().front()->click();
        });
        SystemDialogs dialogs;
        dialogs.messageBox(nullptr, "确定要结账吗？", expected.flags, "信息：");
        EXPECT_EQ(buttons, sorted(expected.texts));
        EXPECT_EQ(others, QStringList{});
    }
}

TEST(PlatformDialogTexts, InputBoxButtonsAreChinese) {
    QStringList buttons, others;
    whenShown<QInputDialog>([&](QInputDialog* dialog) {
        auto* box = dialog->findChild<QDialogButtonBox*>();
        if (box != nullptr) buttons = buttonTexts(box->buttons());
        others = notChinese(shownTexts(dialog));
        dialog->reject();
    });
    SystemDialogs dialogs;
    dialogs.inputBox(nullptr, "请输入台号：", "开台", "大厅");
    EXPECT_EQ(buttons, sorted({"确定", "取消"}));
    EXPECT_EQ(others, QStringList{});
}

// What the save dialog and its question showed, recorded by the timers that drive them.
struct SaveTexts {
    QStringList buttons;
    QStringList labels;
    QStringList others;
    QString question;
    QStringList questionButtons;
    QStringList questionOthers;
};

TEST(PlatformDialogTexts, SaveDialogAndItsReplaceQuestionAreChinese) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString workingDirectory = QDir::currentPath();
    QFile existing(QDir(folder.path()).filePath("流水.xls"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    ui::SaveFileRequest request;
    request.proposedName = "流水.xls";
    request.filter = "表格|*.xls";
    request.initialDirectory = folder.path().toStdString();

    SaveTexts shown;
    whenShown<QFileDialog>([&shown](QFileDialog* dialog) {
        if (auto* box = dialog->findChild<QDialogButtonBox*>())
            shown.buttons = buttonTexts(box->buttons());
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            if (auto* label = dialog->findChild<QLabel*>(name)) shown.labels << label->text();
        shown.others = notChinese(shownTexts(dialog));
        whenShown<QMessageBox>([&shown](QMessageBox* box) {
            shown.question = box->text();
            shown.questionButtons = buttonTexts(box->buttons());
            shown.questionOthers = notChinese(shownTexts(box), "流水.xls");
            box->button(QMessageBox::No)->click();
        });
        // Save, which QFileDialog hides and QDialog does not; back once the question is answered.
        static_cast<QDialog*>(dialog)->accept();
        dialog->reject();
    });
    SystemDialogs dialogs;
    EXPECT_EQ(dialogs.saveFileName(nullptr, request), std::nullopt);
    QDir::setCurrent(workingDirectory);

    EXPECT_EQ(shown.buttons, sorted({"保存", "取消"}));
    ASSERT_EQ(shown.labels.size(), 3) << "look in, file name, file type";
    EXPECT_EQ(notChinese(shown.labels), QStringList{});
    EXPECT_EQ(shown.others, QStringList{});

    EXPECT_TRUE(shown.question.contains("流水.xls")) << shown.question.toStdString();
    EXPECT_EQ(notChinese({shown.question}, "流水.xls"), QStringList{});
    EXPECT_EQ(shown.questionButtons, sorted({"是", "否"}));
    EXPECT_EQ(shown.questionOthers, QStringList{});
}

} // namespace
