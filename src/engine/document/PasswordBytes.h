#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The byte strings a typed password may stand for inside a PDF.
namespace PasswordBytes {

// Every encoding a producer may have stored the typed text in, most likely
// first, without repeats: UTF-8 (AES-256), PDFDocEncoding (older ciphers by
// the book), Latin-1 and Windows-1254 (older Western and Turkish tools), then
// the repairs qpdf knows for text that went through a wrong encoding once.
QList<QByteArray> candidates(const QString& typed);

} // namespace PasswordBytes
