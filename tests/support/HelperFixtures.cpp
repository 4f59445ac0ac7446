#include "HelperFixtures.h"

#include <QFile>
#include <QFileDevice>

namespace HelperFixtures {

QString write(const QString& folder, const QString& name, Broken kind)
{
    QString path = folder + u'/' + name;
    if (kind == Broken::missing) {
        return path;
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(kind == Broken::notAProgram ? QByteArray("neither an ELF file nor a script\n")
                                               : QByteArray("#!/bin/sh\nexit 127\n"));
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
    }
    return path;
}

Override::Override(const char* variable, const QString& value)
    : m_variable(variable), m_wasSet(qEnvironmentVariableIsSet(variable)), m_was(qgetenv(variable))
{
    qputenv(variable, QFile::encodeName(value));
}

Override::~Override()
{
    if (m_wasSet) {
        qputenv(m_variable, m_was);
    } else {
        qunsetenv(m_variable);
    }
}

} // namespace HelperFixtures
