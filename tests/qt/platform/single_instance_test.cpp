#include "qstring_printer.h"
#include "qt/platform/single_instance.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

using qtui::SingleInstance;

QString uniqueKey() {
    return "VeltranoTest-" + QUuid::createUuid().toString(QUuid::WithoutBraces).left(13);
}

struct ProbeRun {
    int exitCode = -1;
    QString output;
};

// Runs the probe while this process keeps handling events, as a running first copy would.
ProbeRun runProbe(const QString& key, const QStringList& extra = {}) {
    QProcess probe;
    QSignalSpy finished(&probe, &QProcess::finished);
    probe.start(VELTRANO_SINGLE_INSTANCE_PROBE, QStringList{key} + extra);
    if (!probe.waitForStarted(5000) || !finished.wait(10000)) return {};
    return {probe.exitCode(), QString::fromLocal8Bit(probe.readAllStandardOutput()).trimmed()};
}

class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedVariable() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(PlatformSingleInstance, DefaultKeyIsPerUserAndDisplay) {
    ScopedVariable noWayland("WAYLAND_DISPLAY", "");
    ScopedVariable user("USER", "收银员");
    ScopedVariable display("DISPLAY", ":0");
    const QString first = SingleInstance::defaultKey();
    EXPECT_TRUE(first.startsWith("Veltrano-"));
    EXPECT_TRUE(QRegularExpression("^[A-Za-z0-9_-]+$").match(first).hasMatch())
        << first.toStdString();

    {
        ScopedVariable otherDisplay("DISPLAY", ":1");
        EXPECT_NE(SingleInstance::defaultKey(), first);
    }
    {
        // Same length, same characters outside ASCII: only the hash tells them apart.
        ScopedVariable otherUser("USER", "服务员");
        EXPECT_NE(SingleInstance::defaultKey(), first);
    }
    EXPECT_EQ(SingleInstance::defaultKey(), first);
}

TEST(PlatformSingleInstance, OnlyOneHolderPerKeyUntilItGoes) {
    const QString key = uniqueKey();
    auto first = std::make_unique<SingleInstance>(key);
    ASSERT_TRUE(first->claim());
    EXPECT_TRUE(first->claim()) << "claiming again keeps the lock";

    SingleInstance second(key);
    EXPECT_FALSE(second.claim());
    SingleInstance unrelated(uniqueKey());
    EXPECT_TRUE(unrelated.claim());

    first.reset();
    EXPECT_TRUE(second.claim());
}

TEST(PlatformSingleInstance, SecondProcessActivatesTheFirstAndEnds) {
    const QString key = uniqueKey();
    auto first = std::make_unique<SingleInstance>(key);
    ASSERT_TRUE(first->claim());
    QSignalSpy activations(first.get(), &SingleInstance::activationRequested);

    EXPECT_EQ(runProbe(key).exitCode, 3);
    if (activations.isEmpty()) activations.wait(3000);
    EXPECT_EQ(activations.count(), 1);

    first.reset();
    const ProbeRun later = runProbe(key);
    EXPECT_EQ(later.exitCode, 0);
    EXPECT_EQ(later.output, "first");
}

TEST(PlatformSingleInstance, LockOfACrashedCopyIsTakenOver) {
    const QString key = uniqueKey();
    const ProbeRun crashed = runProbe(key, {"crash"});
    ASSERT_EQ(crashed.exitCode, 4);
    ASSERT_EQ(crashed.output, "first");

    SingleInstance next(key);
    ASSERT_TRUE(next.claim());
    // The crashed copy's socket was left behind too; a new one must be listening.
    QSignalSpy activations(&next, &SingleInstance::activationRequested);
    EXPECT_EQ(runProbe(key).exitCode, 3);
    if (activations.isEmpty()) activations.wait(3000);
    EXPECT_EQ(activations.count(), 1);
}

} // namespace
