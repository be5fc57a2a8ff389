#include "qt/platform/dialogs.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>
#include <filesystem>

namespace qtui {
namespace {

constexpr int kIconBits = 0xF0;
constexpr int kButtonBits = 0x0F;

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    // What Escape and the close button press. A box without Cancel still has to give an answer
    // the caller can live with, so it is the most harmless button: OK alone, No, or Abort.
    QMessageBox::StandardButton escapeButton;
};

ButtonSet buttonSet(int flags) {
    using B = QMessageBox;
    switch (flags & kButtonBits) {
    case 1:
        return {B::Ok | B::Cancel, B::Ok, B::Cancel};
    case 2:
        return {B::Abort | B::Retry | B::Ignore, B::Abort, B::Abort};
    case 3:
        return {B::Yes | B::No | B::Cancel, B::Yes, B::Cancel};
    case 4:
        return {B::Yes | B::No, B::Yes, B::No};
    case 5:
        return {B::Retry | B::Cancel, B::Retry, B::Cancel};
    default:
        return {B::Ok, B::Ok, B::Ok};
    }
}

QMessageBox::Icon icon(int flags) {
    switch (flags & kIconBits) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int resultCode(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return ui::kOk;
    case QMessageBox::Abort:
        return ui::kAbort;
    case QMessageBox::Retry:
        return ui::kRetry;
    case QMessageBox::Ignore:
        return ui::kIgnore;
    case QMessageBox::Yes:
        return ui::kYes;
    case QMessageBox::No:
        return ui::kNo;
    default:
        return ui::kCancel;
    }
}

QString toQString(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                             static_cast<qsizetype>(text.size()));
}

// Qt separates patterns by spaces, the "|" form by ";". "*.*" there means every file, but in Qt
// it would hide files without an extension.
QString qtPatterns(const QString& patterns) {
    QStringList result;
    for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        for (const QString& part : pattern.split(u' ', Qt::SkipEmptyParts))
            result << (part == u"*.*" ? QStringLiteral("*") : part);
    }
    return result.join(u' ');
}

QString filterEntry(const QString& description, const QString& patterns) {
    const QString converted = qtPatterns(patterns);
    if (converted.isEmpty()) return description;
    // Descriptions usually repeat their patterns, as in "TXT文档(*.txt)"; Qt adds its own
    // parentheses, and only the last pair counts, so the repeated pair is dropped.
    QString base = description;
    const QString repeated = u'(' + patterns + u')';
    if (base.endsWith(repeated)) base.chop(repeated.size());
    base = base.trimmed();
    if (base.isEmpty()) return converted;
    return base + QStringLiteral(" (") + converted + u')';
}

} // namespace

QString qtFileFilter(std::string_view filter) {
    const QString text = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()));
    if (text.isEmpty()) return {};
    const QStringList items = text.split(u'|');
    if (items.size() == 1) return filterEntry({}, items.front());

    QStringList entries;
    for (qsizetype i = 0; i < items.size(); i += 2) {
        // A description left without its pattern is read as the pattern, as a lone item is.
        if (i + 1 == items.size()) {
            if (!items[i].isEmpty()) entries << filterEntry({}, items[i]);
            continue;
        }
        if (items[i].isEmpty() && items[i + 1].isEmpty()) continue;
        entries << filterEntry(items[i], items[i + 1]);
    }
    return entries.join(QStringLiteral(";;"));
}

std::unique_ptr<QMessageBox> SystemDialogs::makeMessageBox(QWidget* parent, const QString& text,
                                                           int flags, const QString& title) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(title);
    // Messages quote what people typed (table names, remarks); "<" there is not markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setIcon(icon(flags));
    const ButtonSet set = buttonSet(flags);
    box->setStandardButtons(set.buttons);
    box->setDefaultButton(set.defaultButton);
    box->setEscapeButton(set.escapeButton);
    box->setWindowModality(Qt::ApplicationModal);
    if (flags & ui::kSystemModal) box->setWindowFlag(Qt::WindowStaysOnTopHint);
    return box;
}

int SystemDialogs::messageResult(const QMessageBox& box) {
    QAbstractButton* pressed = box.clickedButton();
    if (pressed == nullptr) pressed = box.escapeButton();
    if (pressed == nullptr) return ui::kCancel;
    return resultCode(box.standardButton(pressed));
}

int SystemDialogs::messageBox(QWidget* parent, const QString& text, int flags,
                              const QString& title) {
    const std::unique_ptr<QMessageBox> box = makeMessageBox(parent, text, flags, title);
    box->exec();
    return messageResult(*box);
}

std::optional<QString> SystemDialogs::inputBox(QWidget* parent, const QString& prompt,
                                               const QString& title, const QString& initialText) {
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initialText);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> SystemDialogs::saveFileName(QWidget* parent,
                                                   const ui::SaveFileRequest& request) {
    // Callers open files by relative names after the dialog, so it must not move them elsewhere.
    const QString workingDirectory = QDir::currentPath();

    QFileDialog dialog(parent, QString::fromStdString(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite_);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setDirectory(request.initialDirectory.empty() ? workingDirectory
                                                         : toQString(request.initialDirectory));

    const QStringList filters =
        qtFileFilter(request.filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = request.filterIndex - 1;
        dialog.selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
    }
    // After the filter: choosing a filter rewrites the extension of the name already filled in.
    if (!request.proposedName.empty())
        dialog.selectFile(QString::fromStdString(request.proposedName));

    const bool accepted = dialog.exec() == QDialog::Accepted;
    QDir::setCurrent(workingDirectory);
    if (!accepted) return std::nullopt;
    const QString chosen = dialog.selectedFiles().value(0);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

std::optional<QString> SystemDialogs::chooseFolder(QWidget* parent, const QString& title,
                                                   const QString& initial) {
    const QString workingDirectory = QDir::currentPath();
    const QString chosen = QFileDialog::getExistingDirectory(parent, title, initial);
    QDir::setCurrent(workingDirectory);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

} // namespace qtui
