#include "modal_driver.h"
#include "qstring_printer.h"
#include "qt/platform/dialogs.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

using platform_test::whenShown;
using qtui::SystemDialogs;

struct BoxLook {
    int flags;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

TEST(PlatformMessageBox, IconButtonsAndTitleFollowTheCall) {
    const BoxLook looks[] = {
        {ui::kErrorBox, QMessageBox::Critical, QMessageBox::Ok},
        {ui::kWarningBox, QMessageBox::Warning, QMessageBox::Ok},
        {ui::kInformationBox, QMessageBox::Information, QMessageBox::Ok},
        {ui::kQuestionOkCancel, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel},
        {0x23, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel},
        {0x32, QMessageBox::Warning, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore},
    };
    for (const BoxLook& look : looks) {
        SCOPED_TRACE(look.flags);
        const auto box =
            SystemDialogs::makeMessageBox(nullptr, "当前列表无内容！", look.flags, "友情提醒:");
        EXPECT_EQ(box->icon(), look.icon);
        EXPECT_EQ(box->standardButtons(), look.buttons);
        EXPECT_EQ(box->windowTitle(), "友情提醒:");
        EXPECT_EQ(box->text(), "当前列表无内容！");
    }
}

TEST(PlatformMessageBox, TextIsShownAsTyped) {
    const auto box =
        SystemDialogs::makeMessageBox(nullptr, "备注<b>加辣</b>", ui::kInformationBox, "信息：");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

struct Press {
    int flags;
    QMessageBox::StandardButton button; // NoButton: Escape is pressed instead
    int expected;
};

TEST(PlatformMessageBox, PressedButtonGivesItsResultCode) {
    const Press presses[] = {
        {ui::kInformationBox, QMessageBox::Ok, ui::kOk},
        {ui::kQuestionOkCancel, QMessageBox::Ok, ui::kOk},
        {ui::kQuestionOkCancel, QMessageBox::Cancel, ui::kCancel},
        {0x24, QMessageBox::Yes, ui::kYes},
        {0x24, QMessageBox::No, ui::kNo},
        {0x32, QMessageBox::Retry, ui::kRetry},
        {0x32, QMessageBox::Ignore, ui::kIgnore},
        {ui::kQuestionOkCancel, QMessageBox::NoButton, ui::kCancel},
        {ui::kErrorBox, QMessageBox::NoButton, ui::kOk},
        {0x24, QMessageBox::NoButton, ui::kNo},
        {0x23, QMessageBox::NoButton, ui::kCancel},
    };
    for (const Press& press : presses) {
        SCOPED_TRACE(testing::Message() << press.flags << " " << press.button);
        whenShown<QMessageBox>([&press](QMessageBox* box) {
            if (press.button == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(press.button)->click();
        });
        SystemDialogs dialogs;
        EXPECT_EQ(dialogs.messageBox(nullptr, "确定要结账吗？", press.flags, "信息："),
                  press.expected);
    }
}

TEST(PlatformMessageBox, ClosingTheBoxCountsAsEscape) {
    whenShown<QMessageBox>([](QMessageBox* box) { box->close(); });
    SystemDialogs dialogs;
    EXPECT_EQ(dialogs.messageBox(nullptr, "确定要删除吗？", ui::kQuestionOkCancel, "信息："),
              ui::kCancel);
}

QPushButton* dialogButton(QDialog* dialog, QDialogButtonBox::StandardButton which) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    return buttons != nullptr ? buttons->button(which) : nullptr;
}

TEST(PlatformInputBox, OkGivesTheEditedText) {
    QString shownPrompt, shownTitle, shownText;
    whenShown<QInputDialog>([&](QInputDialog* dialog) {
        shownPrompt = dialog->labelText();
        shownTitle = dialog->windowTitle();
        shownText = dialog->textValue();
        dialog->setTextValue("大厅 8");
        dialogButton(dialog, QDialogButtonBox::Ok)->click();
    });
    SystemDialogs dialogs;
    const std::optional<QString> result = dialogs.inputBox(nullptr, "请输入台号：", "开台", "大厅");
    EXPECT_EQ(result, QString("大厅 8"));
    EXPECT_EQ(shownPrompt, "请输入台号：");
    EXPECT_EQ(shownTitle, "开台");
    EXPECT_EQ(shownText, "大厅");
}

TEST(PlatformInputBox, CancelOrClosingGivesNothing) {
    SystemDialogs dialogs;
    whenShown<QInputDialog>([](QInputDialog* dialog) {
        dialog->setTextValue("changed");
        dialogButton(dialog, QDialogButtonBox::Cancel)->click();
    });
    EXPECT_EQ(dialogs.inputBox(nullptr, "人数：", "开台", "4"), std::nullopt);

    whenShown<QInputDialog>([](QInputDialog* dialog) { dialog->close(); });
    EXPECT_EQ(dialogs.inputBox(nullptr, "人数：", "开台", "4"), std::nullopt);
}

TEST(PlatformFileFilter, ConvertsTheBarSeparatedForm) {
    // The export's single item is both the description and the pattern of one entry.
    EXPECT_EQ(qtui::qtFileFilter("*.xls"), "*.xls");
    // Descriptions that repeat their patterns are not given a second pair of parentheses, and
    // "*.*" still shows files without an extension.
    EXPECT_EQ(qtui::qtFileFilter("TXT文档(*.txt)|*.txt|所有文件(*.*)|*.*"),
              "TXT文档 (*.txt);;所有文件 (*)");
    EXPECT_EQ(qtui::qtFileFilter("表格|*.xls|网页|*.htm"), "表格 (*.xls);;网页 (*.htm)");
    // Qt separates patterns by spaces; left as ";" they would be one pattern matching nothing.
    EXPECT_EQ(qtui::qtFileFilter("表格(*.xls;*.xlsx)|*.xls;*.xlsx"), "表格 (*.xls *.xlsx)");
    EXPECT_EQ(qtui::qtFileFilter(""), "");
}

TEST(PlatformFileFilter, ToleratesIncompleteLists) {
    EXPECT_EQ(qtui::qtFileFilter("表格|*.xls|*.htm"), "表格 (*.xls);;*.htm");
    EXPECT_EQ(qtui::qtFileFilter("表格|*.xls||"), "表格 (*.xls)");
}

// What the save dialog showed, recorded by the timer that drives it.
struct Shown {
    QString title;
    QStringList nameFilters;
    QString nameFilter;
    QString directory;
    QString file;
};

void record(Shown& shown, QFileDialog* dialog) {
    shown.title = dialog->windowTitle();
    shown.nameFilters = dialog->nameFilters();
    shown.nameFilter = dialog->selectedNameFilter();
    shown.directory = QDir(dialog->directory()).absolutePath();
    shown.file = dialog->selectedFiles().value(0);
}

// Presses Save; QFileDialog hides accept(), QDialog does not.
void save(QDialog* dialog) {
    dialog->accept();
}

class PlatformSaveDialog : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    void TearDown() override { QDir::setCurrent(workingDirectory); }

    QString inFolder(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    QString workingDirectory = QDir::currentPath();
    SystemDialogs dialogs;
};

TEST_F(PlatformSaveDialog, OffersTheProposedNameInTheInitialDirectory) {
    ui::SaveFileRequest request;
    request.proposedName = "Veltrano_流水_2024年5月1日12时.xls";
    request.filter = "*.xls";
    request.initialDirectory = folder.path().toStdString();
    Shown shown;
    whenShown<QFileDialog>([&shown](QFileDialog* dialog) {
        record(shown, dialog);
        save(dialog);
    });
    const std::optional<QString> chosen = dialogs.saveFileName(nullptr, request);

    EXPECT_EQ(shown.title, "保存文件");
    EXPECT_EQ(shown.nameFilters, QStringList{"*.xls"});
    EXPECT_EQ(shown.directory, QDir(folder.path()).absolutePath());
    EXPECT_EQ(chosen, inFolder("Veltrano_流水_2024年5月1日12时.xls"));
}

TEST_F(PlatformSaveDialog, StartsInTheWorkingDirectoryWithTheRequestedFilter) {
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    ui::SaveFileRequest request;
    request.title = "导出";
    request.proposedName = "notes.txt";
    request.filterIndex = 2;
    Shown shown;
    whenShown<QFileDialog>([&shown](QFileDialog* dialog) {
        record(shown, dialog);
        dialog->reject();
    });
    dialogs.saveFileName(nullptr, request);

    EXPECT_EQ(shown.title, "导出");
    EXPECT_EQ(shown.nameFilter, "所有文件 (*)");
    EXPECT_EQ(shown.directory, QDir::current().absolutePath());
    // Choosing the filter must not have rewritten the proposed name's extension.
    EXPECT_EQ(shown.file, inFolder("notes.txt"));
}

TEST_F(PlatformSaveDialog, CancelGivesNothingAndKeepsTheWorkingDirectory) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const QString before = QDir::currentPath();
    ui::SaveFileRequest request;
    request.proposedName = "a.xls";
    // Stands in for a dialog that changes directory as the user browses.
    whenShown<QFileDialog>([&elsewhere](QFileDialog* dialog) {
        QDir::setCurrent(elsewhere.path());
        dialog->reject();
    });
    EXPECT_EQ(dialogs.saveFileName(nullptr, request), std::nullopt);
    EXPECT_EQ(QDir::currentPath(), before);

    whenShown<QFileDialog>([&elsewhere](QFileDialog* dialog) {
        QDir::setCurrent(elsewhere.path());
        save(dialog);
    });
    EXPECT_EQ(dialogs.saveFileName(nullptr, request), inFolder("a.xls"));
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(PlatformSaveDialog, AsksBeforeReplacingAFile) {
    QFile existing(inFolder("流水.xls"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    ui::SaveFileRequest request;
    request.proposedName = "流水.xls";
    request.initialDirectory = folder.path().toStdString();

    bool asked = false;
    whenShown<QFileDialog>([&asked](QFileDialog* dialog) {
        whenShown<QMessageBox>([&asked](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::No)->click();
        });
        save(dialog); // returns once the question is answered No
        dialog->reject();
    });
    EXPECT_EQ(dialogs.saveFileName(nullptr, request), std::nullopt);
    EXPECT_TRUE(asked);

    whenShown<QFileDialog>([](QFileDialog* dialog) {
        whenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        save(dialog);
    });
    EXPECT_EQ(dialogs.saveFileName(nullptr, request), inFolder("流水.xls"));

    SystemDialogs silent(false);
    asked = false;
    QPointer<QTimer> answer;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        answer = whenShown<QMessageBox>([&asked](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::Yes)->click();
        });
        save(dialog);
    });
    EXPECT_EQ(silent.saveFileName(nullptr, request), inFolder("流水.xls"));
    EXPECT_FALSE(asked);
    delete answer;
}

} // namespace
