#pragma once

#include "Operations.h"

#include <QDir>
#include <QString>
#include <QStringList>

// Small helpers the engine tests share.
namespace EngineChecks {

// The message of the Failure that call throws; empty when it returns normally
// (every engine message has text).
template <typename Call>
QString failureOf(Call&& call)
{
    try {
        call();
    } catch (const PDFEngine::Failure& failure) {
        return failure.message();
    }
    return {};
}

// Every entry of a folder, hidden ones included, sorted by name.
inline QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot,
                                  QDir::Name);
}

inline QString writeFailed(const QString& name)
{
    return name + QStringLiteral(" yazılamadı. Klasöre yazma iznin olduğundan emin ol.");
}

inline QString openFailed(const QString& name)
{
    return name + QStringLiteral(" açılamadı. Dosya bozuk ya da PDF değil.");
}

inline QString passwordNeeded(const QString& name)
{
    return name + QStringLiteral(" parola korumalı. Dosyayı yeniden ekleyip parolasını gir.");
}

} // namespace EngineChecks
