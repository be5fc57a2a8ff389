#include "qt/platform/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace qtui {
namespace {

constexpr char kActivateRequest[] = "activate\n";
constexpr int kActivateTimeoutMs = 1000;
// Unix socket paths are limited to about a hundred bytes, temporary directory included.
constexpr qsizetype kMaxNamePart = 32;

// Keeps letters, digits, "-" and "_". A part that had to be changed gets a short hash of its
// original, so that two users whose names differ only in, say, Chinese characters still get
// locks of their own.
QString sanitised(const QString& part) {
    QString result;
    bool changed = false;
    for (const QChar c : part) {
        const bool safe =
            c.isDigit() || c == u'-' || c == u'_' || (c.unicode() < 128 && c.isLetter());
        result += safe ? c : u'_';
        changed = changed || !safe;
    }
    if (result.size() > kMaxNamePart) {
        result.truncate(kMaxNamePart);
        changed = true;
    }
    if (changed) {
        const QByteArray hash = QCryptographicHash::hash(part.toUtf8(), QCryptographicHash::Sha1);
        result += u'_' + QString::fromLatin1(hash.toHex().left(8));
    }
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

    const QString directory = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    auto lock =
        std::make_unique<QLockFile>(QDir(directory).filePath(key_ + QStringLiteral(".lock")));
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
    QLocalServer::removeServer(key_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (!server_->listen(key_))
        qWarning("Veltrano: cannot listen for a second copy: %s",
                 qUtf8Printable(server_->errorString()));
    return true;
}

void SingleInstance::activateRunning() {
    QLocalSocket socket;
    socket.connectToServer(key_);
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
