#include "engine/document/MappedInput.h"
#include "engine/document/Output.h"
#include "engine/document/PackedObjects.h"
#include "engine/document/PageTree.h"

#include <qpdf/QPDF.hh>

#include <QFile>

namespace PDFEngine {

bool verifyOutput(const QString& path, qint64 expectedPages)
{
    try {
        const QByteArray name = QFile::encodeName(path);
        QPDF check;
        check.setSuppressWarnings(true);
        // A file just written needs no repair: one that would is a failed write.
        check.setAttemptRecovery(false);
        // Read from memory, the file just written costs no seek and read per token.
        processMapped(check, name, FileMapping::map(name));
        if (check.isEncrypted()) {
            return false;
        }
        // Only the cross-reference, the trailer and the page tree are read, not every object.
        PackedObjects packed(check);
        return countedPages(check.getRoot().getKey("/Pages"), &packed) == expectedPages &&
               !check.anyWarnings();
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace PDFEngine
