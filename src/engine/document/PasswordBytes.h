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

// Unlocks a document of a library that takes the password's bytes (poppler's) with the first
// candidate that opens it, so that a password every tool takes opens it there too.
template <typename Document>
bool unlock(Document& document, const QString& typed)
{
    for (const QByteArray& bytes : candidates(typed)) {
        document.unlock(bytes, bytes);
        if (!document.isLocked()) {
            return true;
        }
    }
    return false;
}

} // namespace PasswordBytes
