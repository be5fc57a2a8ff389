#pragma once

#include "qt/platform/dialogs.h"

#include <deque>
#include <optional>
#include <vector>

namespace pictures {

// Dialogs for a run nobody watches: nothing is shown. Every message box is noted and answered OK,
// an input box takes the next prepared text (Cancel once none is left), and no file or folder is
// chosen.
class AnsweringDialogs final : public qtui::Dialogs {
public:
    // The texts of the message boxes, in the order they came.
    std::vector<QString> messages;
    std::deque<QString> inputAnswers;

    int messageBox(QWidget*, const QString& text, int, const QString&) override {
        messages.push_back(text);
        return ui::kOk;
    }

    std::optional<QString> inputBox(QWidget*, const QString&, const QString&,
                                    const QString&) override {
        if (inputAnswers.empty()) return std::nullopt;
        QString answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }

    std::optional<QString> saveFileName(QWidget*, const ui::SaveFileRequest&) override {
        return std::nullopt;
    }

    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
};

} // namespace pictures
