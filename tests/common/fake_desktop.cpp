#include "common/fake_desktop.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <utility>

namespace testing_support {

FakeDesktop::FakeDesktop(std::filesystem::path programDirectory)
    : directory(std::move(programDirectory)) {}

void FakeDesktop::tickTimers() {
    // A tick may stop timers, so walk a copy and skip those gone meanwhile.
    const std::set<ui::Timer*> timers = runningTimers_;
    for (ui::Timer* timer : timers) {
        if (runningTimers_.contains(timer)) timer->tick();
    }
}

std::vector<std::string> FakeDesktop::messageTexts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& message : messages)
        texts.push_back(message.text);
    return texts;
}

void FakeDesktop::showView(ui::Window& window) {
    shownWindows.push_back(window.name());
}

void FakeDesktop::destroyView(ui::Window& window) {
    minimisedWindows.erase(&window);
}

void FakeDesktop::runUntilClosed(ui::Window& window) {
    if (onModal) {
        const auto callback = onModal; // the callback may replace itself
        callback(window);
    }
    if (window.isOpen()) {
        ADD_FAILURE() << window.name() << " was left open: a real desktop would wait forever";
        window.close();
    }
}

bool FakeDesktop::isMinimised(const ui::Window& window) const {
    return minimisedWindows.contains(&window);
}

void FakeDesktop::restore(ui::Window& window) {
    minimisedWindows.erase(&window);
    ++restorations;
}

std::intptr_t FakeDesktop::nativeHandle(const ui::Window& window) const {
    return reinterpret_cast<std::intptr_t>(&window);
}

std::optional<std::size_t>
FakeDesktop::popupMenu(ui::Window&, const std::vector<const ui::MenuItemDef*>& items) {
    std::vector<std::string> captions;
    for (const ui::MenuItemDef* item : items)
        captions.push_back(item->caption);
    popups.push_back(captions);
    if (popupAnswers.empty()) return std::nullopt;
    const auto answer = popupAnswers.front();
    popupAnswers.pop_front();
    if (!answer) return std::nullopt;
    const auto found = std::find(captions.begin(), captions.end(), *answer);
    if (found == captions.end()) {
        ADD_FAILURE() << "the popup menu has no item " << *answer;
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - captions.begin());
}

bool FakeDesktop::inputBox(std::string_view prompt, std::string_view title, std::string& value,
                           ui::Window*) {
    inputBoxes.push_back({std::string(prompt), std::string(title), value});
    if (inputAnswers.empty()) return false;
    const auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    if (!answer) return false;
    value = *answer;
    return true;
}

std::optional<std::filesystem::path> FakeDesktop::saveFileName(const ui::SaveFileRequest& request,
                                                               ui::Window*) {
    saveRequests.push_back(request);
    if (saveAnswers.empty()) return std::nullopt;
    const auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

std::optional<std::filesystem::path>
FakeDesktop::chooseFolder(std::string_view title, const std::filesystem::path&, ui::Window*) {
    folderTitles.emplace_back(title);
    if (folderAnswers.empty()) return std::nullopt;
    const auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

void FakeDesktop::runInBackground(std::function<void()> work, std::function<void()> done) {
    ++backgroundRuns;
    work();
    done();
}

int FakeDesktop::showMessageBox(std::string_view text, int flags, std::string_view title,
                                ui::Window* owner) {
    messages.push_back({std::string(text), flags, std::string(title), owner});
    if (messageAnswers.empty()) return ui::kOk;
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

} // namespace testing_support
