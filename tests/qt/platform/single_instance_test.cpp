#include "qstring_printer.h"
#include "qt/platform/single_instance.h"

#include <QDirIterator>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    // No value unsets the variable for the scope.
    ScopedVariable(const char* name, const std::optional<QByteArray>& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
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

#ifdef Q_OS_UNIX

std::optional<QByteArray> local8Bit(const std::optional<QString>& path) {
    return path ? std::optional(path->toLocal8Bit()) : std::nullopt;
}

QString makeFolder(const QString& path, mode_t mode) {
    QDir().mkpath(path);
    ::chmod(QFile::encodeName(path).constData(), mode);
    return path;
}

std::optional<struct stat> lstatOf(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return info;
}

bool isOwnPrivateFolder(const QString& path) {
    const auto info = lstatOf(path);
    return info && S_ISDIR(info->st_mode) && info->st_uid == ::getuid() &&
           (info->st_mode & 077) == 0;
}

QStringList entriesUnder(const QString& root) {
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

QStringList socketsUnder(const QString& root) {
    QStringList sockets;
    for (const QString& path : entriesUnder(root))
        if (const auto info = lstatOf(path); info && S_ISSOCK(info->st_mode)) sockets << path;
    return sockets;
}

// A scratch folder holding a shared, sticky, world-writable temporary directory like /tmp, made
// the temporary directory of this process and of the probes it starts.
class SharedTemp {
public:
    SharedTemp()
        : tmp_(makeFolder(root_.filePath("tmp"), 01777)), tmpdir_("TMPDIR", tmp_.toLocal8Bit()) {}
    QString path(const QString& name) const { return root_.filePath(name); }
    const QString& tmp() const { return tmp_; }

private:
    QTemporaryDir root_;
    QString tmp_;
    ScopedVariable tmpdir_;
};

TEST(PlatformSingleInstance, LockAndSocketLiveOnlyInAPrivateFolder) {
    SharedTemp temp;
    const QString runtime = makeFolder(temp.path("run"), 0700);
    const struct {
        const char* what;
        std::optional<QString> folder;
        bool used;
    } cases[] = {
        {"private", runtime, true},
        {"unset", std::nullopt, false},
        {"world-writable", makeFolder(temp.path("open"), 0777), false},
        {"readable by the group", makeFolder(temp.path("group"), 0750), false},
        {"too long for a socket path", makeFolder(temp.path(QString(120, u'r')), 0700), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedVariable xdg("XDG_RUNTIME_DIR", local8Bit(c.folder));
        SingleInstance guard(uniqueKey());
        ASSERT_TRUE(guard.claim());
        const QStringList sockets = socketsUnder(temp.path("."));
        ASSERT_EQ(sockets.size(), 1);
        const QFileInfo socket(sockets.front());
        EXPECT_TRUE(isOwnPrivateFolder(socket.path())) << socket.path().toStdString();
        EXPECT_EQ(socket.dir().entryList({"*.lock"}, QDir::Files).size(), 1);
        EXPECT_EQ(socket.dir() == QDir(c.folder.value_or("-")), c.used);
    }
    EXPECT_EQ(socketsUnder(temp.path(".")), QStringList{}) << "each guard took its socket along";
}

TEST(PlatformSingleInstance, FolderPlantedUnderOurNameIsNotEntered) {
    SharedTemp temp;
    ScopedVariable xdg("XDG_RUNTIME_DIR", std::nullopt);
    const QString ours = temp.tmp() + "/veltrano-" + QString::number(::getuid());
    const QString bait = makeFolder(temp.path("bait"), 0700);

    ASSERT_EQ(::symlink(QFile::encodeName(bait).constData(), QFile::encodeName(ours).constData()),
              0);
    SingleInstance throughLink(uniqueKey());
    EXPECT_TRUE(throughLink.claim()) << "the program still starts, unguarded";
    EXPECT_EQ(entriesUnder(bait), QStringList{});

    ASSERT_TRUE(QFile::remove(ours));
    makeFolder(ours, 0777);
    SingleInstance inOpenFolder(uniqueKey());
    EXPECT_TRUE(inOpenFolder.claim());
    EXPECT_EQ(entriesUnder(temp.tmp()), QStringList{ours});
}

// Another account can write the shared temporary folder; what it leaves under the names the
// guard once used there must neither block a start nor stand in for the first copy.
TEST(PlatformSingleInstance, FilesPlantedInTheSharedTemporaryFolderAreIgnored) {
    SharedTemp temp;
    const QString privateRuntime = makeFolder(temp.path("run"), 0700);
    for (const std::optional<QString>& runtime :
         {std::optional(privateRuntime), std::optional<QString>()}) {
        SCOPED_TRACE(runtime.value_or("no runtime folder").toStdString());
        ScopedVariable xdg("XDG_RUNTIME_DIR", local8Bit(runtime));

        const QString key = uniqueKey();
        const QString shared = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
        QLockFile planted(shared + "/" + key + ".lock");
        ASSERT_TRUE(planted.tryLock(0)) << "held by a live process, this one";
        QFile squatter(shared + "/" + key);
        ASSERT_TRUE(squatter.open(QIODevice::WriteOnly));
        squatter.write("not a socket");
        squatter.close();

        SingleInstance first(key);
        ASSERT_TRUE(first.claim());
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        EXPECT_EQ(runProbe(key).exitCode, 3) << "the probe finds the first copy, not the plant";
        if (activations.isEmpty()) activations.wait(3000);
        EXPECT_EQ(activations.count(), 1);

        EXPECT_TRUE(planted.isLocked());
        EXPECT_TRUE(squatter.exists());
    }
}

#endif

} // namespace
