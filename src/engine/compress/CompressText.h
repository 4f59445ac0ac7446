#pragma once

#include <QString>

// The compression operation's own messages, in the interface language.
namespace CompressText {

QString compressFailed(const QString& inputName);
QString notSmaller();
// The same for several files.
QString noneSmaller();

} // namespace CompressText
