#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// The built leaflow application started as a child process on a home of its own:
// settings, data, runtime folder and temporary files all inside one temporary folder.
class AppHome {
public:
    AppHome()
    {
        for (const QString& folder : {config(), data(), runtime(), temp()}) {
            QDir().mkpath(folder);
        }
        // The runtime folder must be private, or Qt declines to use it.
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString root() const { return m_root.path(); }
    QString config() const { return root() + QStringLiteral("/config"); }
    QString data() const { return root() + QStringLiteral("/data"); }
    QString runtime() const { return root() + QStringLiteral("/run"); }
    QString temp() const { return root() + QStringLiteral("/tmp"); }
    QString settingsFile() const { return config() + QStringLiteral("/Leaflow/Leaflow.conf"); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config());
        env.insert(QStringLiteral("XDG_DATA_HOME"), data());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
        env.insert(QStringLiteral("TMPDIR"), temp());
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        for (const char* name : {"LEAFLOW_SNAPSHOT", "LEAFLOW_SNAPSHOT_DARK",
                                 "LEAFLOW_SNAPSHOT_WIDTH", "LEAFLOW_TEST_ECHO", "QT_SCALE_FACTOR"}) {
            env.remove(QString::fromLatin1(name));
        }
        return env;
    }

    static QString program() { return QStringLiteral(LEAFLOW_APP); }

private:
    QTemporaryDir m_root;
};
