#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// A D-Bus daemon of the test's own, where stand-ins for desktop services register.
class PrivateBus {
public:
    PrivateBus() = default;
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    ~PrivateBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }

    // False when no daemon runs: the tests that need it must then fail, not pass quietly.
    bool start()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
            qWarning("dbus-daemon is not installed (scripts/install-deps installs it)");
            return false;
        }
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address")});
        if (!m_daemon.waitForStarted() ||
            !QTest::qWaitFor([this] { return m_daemon.canReadLine(); })) {
            return false;
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        return true;
    }
    const QString& address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};
