#pragma once

#include "qt/platform/dialogs.h"

#include <deque>
#include <optional>
#include <vector>

namespace testing_support {

// Dialogs that never show: each records what it was asked and answers from its queue (OK for
// message boxes, Cancel for the others once the queue is empty).
class ScriptedDialogs final : public qtui::Dialogs {
public:
    struct Message {
        QString text;
        int flags = 0;
        QString title;
        QWidget* parent = nullptr;
    };

    std::vector<Message> messages;
    std::deque<int> messageAnswers;
    std::vector<QString> inputPrompts;
    std::deque<std::optional<QString>> inputAnswers;
    std::vector<ui::SaveFileRequest> saveRequests;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<QString>> folderAnswers;

    int messageBox(QWidget* parent, const QString& text, int flags, const QString& title) override {
        messages.push_back({text, flags, title, parent});
        return next(messageAnswers).value_or(0);
    }

    std::optional<QString> inputBox(QWidget*, const QString& prompt, const QString&,
                                    const QString&) override {
        inputPrompts.push_back(prompt);
        return next(inputAnswers).value_or(std::nullopt);
    }

    std::optional<QString> saveFileName(QWidget*, const ui::SaveFileRequest& request) override {
        saveRequests.push_back(request);
        return next(saveAnswers).value_or(std::nullopt);
    }

    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString&) override {
        return next(folderAnswers).value_or(std::nullopt);
    }

private:
    template <typename T> static std::optional<T> next(std::deque<T>& queue) {
        if (queue.empty()) return std::nullopt;
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

} // namespace testing_support
