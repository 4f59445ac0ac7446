#pragma once

#include <QString>

// The engine's user-facing messages, in the interface language.
namespace EngineText {

QString openFailed(const QString& inputName);
QString passwordNeeded(const QString& inputName);
QString writeFailed(const QString& outputName);
QString folderMissing(const QString& outputName, const QString& folder);
QString nameTooLong(const QString& outputName);
QString diskFull(const QString& outputName);
QString fileName(const QString& path);

} // namespace EngineText
