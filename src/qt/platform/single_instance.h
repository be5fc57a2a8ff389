#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace qtui {

// One running copy per user and desktop session. The first copy holds a lock file for its whole
// life and listens on a local socket of the same name; a later copy finds the lock taken and asks
// the first, through the socket, to bring its main window forward. On Unix both live in a folder
// only this user can enter ($XDG_RUNTIME_DIR, or one of our own under the temporary directory),
// so that another account can neither plant a lock that keeps the program from starting nor
// answer in the first copy's place.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString key = defaultKey(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // "Veltrano", the user and the display, in characters every lock and socket name accepts.
    static QString defaultKey();

    const QString& key() const { return key_; }
    // True for the first copy, which then holds the lock until destroyed; false when another copy
    // holds it.
    bool claim();
    // From a later copy: asks the first one to come forward. Gives up after about a second.
    void activateRunning();

signals:
    // In the first copy, when a later one asked for it.
    void activationRequested();

private:
    void acceptConnections();
    void readRequest(QLocalSocket* socket);

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

} // namespace qtui
