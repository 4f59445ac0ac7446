#pragma once

#include <QString>

// The compression operation's own messages, in the interface language.
namespace CompressText {

QString startFailed();
QString compressFailed(const QString& inputName);
QString notSmaller();

} // namespace CompressText
