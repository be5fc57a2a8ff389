#include "step_runner.h"

#include <exception>
#include <utility>

namespace pictures {
namespace {

// Long enough for a slow machine to open any screen; a step that waits longer never will.
constexpr qint64 kPatienceMs = 30000;

} // namespace

StepRunner::StepRunner(std::function<void()> giveUp) : giveUp_(std::move(giveUp)) {
    poll_.setInterval(20);
    QObject::connect(&poll_, &QTimer::timeout, [this] { poll(); });
}

void StepRunner::add(std::string what, Ready ready, Action action, Taken taken) {
    steps_.push_back({std::move(what), std::move(ready), std::move(action), taken});
}

void StepRunner::letNextStepsIn(const std::function<void()>& opensLoop) {
    ++waitingInLoops_;
    opensLoop();
    --waitingInLoops_;
}

void StepRunner::start() {
    sinceProgress_.start();
    poll_.start();
}

void StepRunner::poll() {
    if (next_ == steps_.size()) return poll_.stop();
    if (sinceProgress_.elapsed() > kPatienceMs)
        return fail("waited " + std::to_string(kPatienceMs / 1000) + " s to " + steps_[next_].what);
    const bool mayTake = steps_[next_].taken == Taken::InsideTheLoop
                             ? acting_ == waitingInLoops_ && acting_ > 0
                             : acting_ == 0;
    if (!mayTake || !steps_[next_].ready()) return;
    const Step& step = steps_[next_++];
    ++acting_;
    sinceProgress_.start();
    // Taken from a timer of its own: a loop the action opens keeps this timer free to go on.
    QTimer::singleShot(0, &poll_, [this, &step] { take(step); });
}

void StepRunner::take(const Step& step) {
    try {
        step.action();
    } catch (const std::exception& failure) {
        fail(step.what + ": " + failure.what());
    }
    --acting_;
    sinceProgress_.start();
}

void StepRunner::fail(const std::string& reason) {
    failures_.push_back(reason);
    next_ = steps_.size(); // nothing more is taken
    poll_.stop();
    giveUp_();
}

} // namespace pictures
