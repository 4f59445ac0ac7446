#include "app/SingleInstance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <unistd.h>

namespace {

// Far more than any real list of paths; a larger message is not from us and is dropped.
constexpr qint64 maximumMessage = qint64{4} * 1024 * 1024;
constexpr char acknowledgement = '\x06';

QByteArray encode(const QStringList& paths)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << paths;
    QByteArray message;
    QDataStream framed(&message, QIODevice::WriteOnly);
    framed.setVersion(QDataStream::Qt_6_4);
    framed << static_cast<quint32>(body.size());
    message.append(body);
    return message;
}

} // namespace

QString SingleInstance::defaultName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) {
        return QDir(runtime).filePath(QStringLiteral("leaflow.socket"));
    }
    return QDir::temp().filePath(QStringLiteral("leaflow-%1.socket").arg(getuid()));
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOver(const QStringList& paths, int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(encode(paths));
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    // Only the running instance's answer proves it read the whole list.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            return false;
        }
    }
    return socket.read(1) == QByteArray(1, acknowledgement);
}

SingleInstance::Role SingleInstance::start(const QStringList& paths, int patienceMs)
{
    const QDeadlineTimer deadline(patienceMs);
    while (true) {
        if (handOver(paths)) {
            return Role::handedOver;
        }
        if (listen()) {
            return Role::first;
        }
        if (deadline.hasExpired()) {
            return Role::alone;
        }
        // The lock's holder is still starting up; its server appears in a moment.
        QThread::msleep(100);
    }
}

bool SingleInstance::listen()
{
    if (isListening()) {
        return true;
    }
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(m_name + QStringLiteral(".lock"));
        m_lock->setStaleLockTime(0); // only a dead holder makes a lock stale
    }
    if (!m_lock->isLocked() && !m_lock->tryLock(0)) {
        return false;
    }
    // The lock is ours, so whatever is left at the name belongs to an instance that is gone.
    QLocalServer::removeServer(m_name);
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
    }
    if (m_server->listen(m_name)) {
        return true;
    }
    m_lock->unlock();
    return false;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::close()
{
    if (m_server) {
        m_server->close();
    }
    if (m_lock && m_lock->isLocked()) {
        m_lock->unlock();
    }
}

void SingleInstance::accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        read(socket);
    }
}

void SingleInstance::read(QLocalSocket* socket)
{
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_4);
    in.startTransaction();
    quint32 size = 0;
    in >> size;
    if (in.status() == QDataStream::Ok && size > maximumMessage) {
        socket->abort();
        return;
    }
    if (in.status() != QDataStream::Ok || socket->bytesAvailable() < size) {
        in.rollbackTransaction();
        return;
    }
    const QByteArray body = socket->read(size);
    in.commitTransaction();
    QDataStream message(body);
    message.setVersion(QDataStream::Qt_6_4);
    QStringList paths;
    message >> paths;
    if (message.status() != QDataStream::Ok) {
        socket->abort();
        return;
    }
    // The socket is finished with before anything else runs: what the paths set off may turn
    // the event loop (a file being opened, a password prompt), which would otherwise process
    // this socket's end and delete it under the signal that is still reading it.
    socket->disconnect(this);
    socket->write(QByteArray(1, acknowledgement));
    socket->disconnectFromServer(); // after the acknowledgement is written
    QMetaObject::invokeMethod(
        this, [this, paths] { emit received(paths); }, Qt::QueuedConnection);
}
