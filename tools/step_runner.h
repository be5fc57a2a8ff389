#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

namespace pictures {

// Works through a person's steps in order while the program runs its own loops. Each step waits
// until it can be taken (its screen shows), then acts. A step is taken once every earlier action
// has returned, or, marked so, inside the modal loop (a popup menu, a settings screen) an earlier
// action opened; an action is never interrupted by the next step, even when it lets events
// through. An action throws std::exception to stop the run; so does a step that waits too long.
class StepRunner {
public:
    using Ready = std::function<bool()>;
    using Action = std::function<void()>;

    // `giveUp` ends the program's run after a failure.
    explicit StepRunner(std::function<void()> giveUp);

    enum class Taken { AfterTheLast, InsideTheLoop };
    void add(std::string what, Ready ready, Action action, Taken taken = Taken::AfterTheLast);
    // For an action: runs `opensLoop`, which opens a modal loop, with the steps marked for it let
    // in.
    void letNextStepsIn(const std::function<void()>& opensLoop);
    void start();

    // Every step taken and none failed.
    bool succeeded() const { return next_ == steps_.size() && acting_ == 0 && failures_.empty(); }
    const std::vector<std::string>& failures() const { return failures_; }

private:
    struct Step {
        std::string what;
        Ready ready;
        Action action;
        Taken taken;
    };

    void poll();
    void take(const Step& step);
    void fail(const std::string& reason);

    std::function<void()> giveUp_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    // Actions begun and not finished, and how many of them wait in a loop they opened: a step
    // inside the loop is taken only when every unfinished action waits so. A loop being left is
    // still counted until its action returns, so a step after it waits for that.
    int acting_ = 0;
    int waitingInLoops_ = 0;
    QTimer poll_;
    QElapsedTimer sinceProgress_;
    std::vector<std::string> failures_;
};

} // namespace pictures
