#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// The channel between launches of the application: the first one listens, and
// later ones hand it their files and exit.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // How a launch continues after start().
    enum class Role {
        first,      // it listens for later launches
        handedOver, // a running instance took its files: it should exit
        alone,      // neither worked out: it runs without the channel
    };

    // The channel's path: a socket in the user's runtime folder, or a per-user
    // name in the temporary folder where there is no runtime folder.
    static QString defaultName();

    explicit SingleInstance(QString name = defaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    QString name() const { return m_name; }

    // Hands `paths` to a running instance, or becomes the one that listens. An
    // instance that is still starting (holding the lock, not yet listening) is waited for.
    Role start(const QStringList& paths, int patienceMs = 5000);

    // Sends `paths` (possibly none) to a running instance; true once it has taken them.
    bool handOver(const QStringList& paths, int timeoutMs = 3000) const;
    // Starts answering later launches; false while another instance holds the channel.
    bool listen();
    bool isListening() const;
    // Stops answering and gives up the name, so a new launch becomes the one that listens
    // instead of handing itself back to this one (a relaunch).
    void close();

signals:
    // A later launch handed over these files (none when it was started without files). Emitted
    // from the event loop after the launch has been answered, never from inside the channel's own
    // signals, so a receiver may turn the event loop.
    void received(const QStringList& paths);

private:
    void accept();
    void read(QLocalSocket* socket);

    QString m_name;
    // Held for as long as this instance owns the name, so two launches never both listen.
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
