#include "qt/platform/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <algorithm>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace qtui {
namespace {

constexpr char kActivateRequest[] = "activate\n";
constexpr int kActivateTimeoutMs = 1000;
// The key names the local socket, whose whole path is limited to about a hundred bytes on Unix.
constexpr qsizetype kMaxNamePart = 32;

bool isNameCharacter(QChar c) {
    return c.isDigit() || c == u'-' || c == u'_' || (c.unicode() < 128 && c.isLetter());
}

QString shortHash(const QString& text) {
    const QByteArray hash = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.toHex().left(16));
}

// Keeps letters, digits, "-" and "_". A part that had to be changed gets a short hash of its
// original, so that two users whose names differ only in, say, Chinese characters still get
// locks of their own.
QString sanitised(const QString& part) {
    QString result;
    bool changed = false;
    for (const QChar c : part) {
        const bool safe = isNameCharacter(c);
        result += safe ? c : u'_';
        changed = changed || !safe;
    }
    if (result.size() > kMaxNamePart) {
        result.truncate(kMaxNamePart);
        changed = true;
    }
    if (changed) result += u'_' + shortHash(part).left(8);
    return result;
}

QString userName() {
    for (const char* name : {"USER", "USERNAME", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) return value;
    }
    return QDir::home().dirName();
}

// The desktop the copy was started on. Under Wayland with XWayland both variables are set, so
// the Wayland one wins and every copy of one session agrees.
QString sessionName() {
    for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY", "SESSIONNAME", "XDG_SESSION_ID"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) return value;
    }
    return QStringLiteral("console");
}

// Where one key's lock file and local server are.
struct Place {
    QString lockFile;
    // What QLocalServer listens on and QLocalSocket connects to: a full path on Unix.
    QString serverName;
};

#ifdef Q_OS_UNIX

// sockaddr_un has no room to spare: the path and its terminating NUL must fit.
constexpr qsizetype kMaxSocketPath = qsizetype(sizeof(sockaddr_un::sun_path)) - 1;

// lstat, not stat: a symlink planted under our name must not lead us into a folder of someone
// else's choosing, even one that would pass the other checks.
bool isPrivateDirectory(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// The key names the files when it is plain and short enough; otherwise a hash of it does, so a
// deep folder or an odd key still gets a socket path the system accepts.
std::optional<Place> placeIn(const QString& directory, const QString& key) {
    const QDir folder(directory);
    const bool plainKey = !key.isEmpty() && std::all_of(key.begin(), key.end(), isNameCharacter);
    const QString hashed = QStringLiteral("Veltrano-") + shortHash(key);
    for (const QString& base : {plainKey ? key : hashed, hashed}) {
        const QString socket = folder.filePath(base + QStringLiteral(".socket"));
        if (QFile::encodeName(socket).size() > kMaxSocketPath) continue;
        return Place{folder.filePath(base + QStringLiteral(".lock")), socket};
    }
    return std::nullopt;
}

// The session's runtime folder when it really is this user's alone; otherwise a folder of our own
// in the temporary directory. The temporary directory is shared, so whatever already carries our
// folder's name is checked like anything else: another account may have put it there first.
std::optional<Place> locate(const QString& key) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateDirectory(runtime)) {
        if (auto place = placeIn(QDir::cleanPath(runtime), key)) return place;
    }
    const QString own =
        QDir(QDir::tempPath()).filePath(QStringLiteral("veltrano-") + QString::number(::getuid()));
    // mkdir never replaces or follows what is there already; the check below judges it either way.
    ::mkdir(QFile::encodeName(own).constData(), S_IRWXU);
    if (isPrivateDirectory(own)) return placeIn(own, key);
    return std::nullopt;
}

#else

// The temporary folder is the user's own here, and the server is a named pipe that
// QLocalServer::UserAccessOption already keeps to this user.
std::optional<Place> locate(const QString& key) {
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return Place{QDir(directory).filePath(key + QStringLiteral(".lock")), key};
}

#endif

} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() {
    if (server_ != nullptr) server_->close();
    if (lock_) lock_->unlock();
}

QString SingleInstance::defaultKey() {
    return QStringLiteral("Veltrano-") + sanitised(userName()) + u'-' + sanitised(sessionName());
}

bool SingleInstance::claim() {
    if (lock_ && lock_->isLocked()) return true;

    const std::optional<Place> place = locate(key_);
    if (!place) {
        // Better two copies than none: a folder we cannot trust must not keep the front desk from
        // starting.
        qWarning("Veltrano: no private folder for the single-instance lock; running unguarded");
        return true;
    }
    auto lock = std::make_unique<QLockFile>(place->lockFile);
    // The lock is held for the program's whole life, so its age says nothing. A copy that
    // crashed is still recognised: its process is gone, and tryLock() takes the lock over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError) return false;
        // A lock that cannot even be written must not keep the front desk from starting; this
        // copy then runs unguarded.
        qWarning("Veltrano: cannot create the single-instance lock %s",
                 qUtf8Printable(lock->fileName()));
        return true;
    }
    lock_ = std::move(lock);

    // Holding the lock, any socket of this name is left over from a copy that crashed.
    QLocalServer::removeServer(place->serverName);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (!server_->listen(place->serverName))
        qWarning("Veltrano: cannot listen for a second copy: %s",
                 qUtf8Printable(server_->errorString()));
    return true;
}

void SingleInstance::activateRunning() {
    const std::optional<Place> place = locate(key_);
    if (!place) return;
    QLocalSocket socket;
    socket.connectToServer(place->serverName);
    if (!socket.waitForConnected(kActivateTimeoutMs)) return;
    socket.write(kActivateRequest);
    socket.waitForBytesWritten(kActivateTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kActivateTimeoutMs);
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        // The request may already be buffered when the other copy has gone.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            readRequest(socket);
            socket->deleteLater();
        });
        readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) return;
    const QByteArray line = socket->readLine();
    if (line == kActivateRequest) emit activationRequested();
}

} // namespace qtui
