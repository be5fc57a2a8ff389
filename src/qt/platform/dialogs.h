#pragma once

#include "ui/desktop.h"

#include <QString>
#include <memory>
#include <optional>
#include <string_view>

class QMessageBox;
class QWidget;

namespace qtui {

// The desktop shows every dialog through this seam, so tests can hand it answers instead of
// waiting for a person.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The pressed button as a ui::MessageResult.
    virtual int messageBox(QWidget* parent, const QString& text, int flags,
                           const QString& title) = 0;
    // The edited text on OK; nothing on Cancel or when the dialog is closed.
    virtual std::optional<QString> inputBox(QWidget* parent, const QString& prompt,
                                            const QString& title, const QString& initialText) = 0;
    // The chosen path; nothing when the dialog is cancelled.
    virtual std::optional<QString> saveFileName(QWidget* parent,
                                                const ui::SaveFileRequest& request) = 0;
    // The chosen folder; nothing when the dialog is cancelled.
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                                const QString& initial) = 0;
};

// Qt's own modal dialogs.
class SystemDialogs final : public Dialogs {
public:
    // Asking before a save replaces an existing file is on by default: a spreadsheet overwritten
    // by accident cannot be brought back.
    explicit SystemDialogs(bool confirmOverwrite = true) : confirmOverwrite_(confirmOverwrite) {}

    int messageBox(QWidget* parent, const QString& text, int flags, const QString& title) override;
    std::optional<QString> inputBox(QWidget* parent, const QString& prompt, const QString& title,
                                    const QString& initialText) override;
    std::optional<QString> saveFileName(QWidget* parent,
                                        const ui::SaveFileRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                        const QString& initial) override;

    // The box messageBox() shows, not yet shown: icon and buttons follow the flags.
    static std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const QString& text,
                                                       int flags, const QString& title);
    // The result code of a box that has been closed, whether by a button or by Escape.
    static int messageResult(const QMessageBox& box);

private:
    bool confirmOverwrite_;
};

// Turns a filter of alternating descriptions and patterns separated by "|" into Qt's name-filter
// list ("desc (pattern);;desc (pattern)"). A lone item is both description and pattern.
QString qtFileFilter(std::string_view filter);

} // namespace qtui
