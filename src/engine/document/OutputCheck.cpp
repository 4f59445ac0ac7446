#include "engine/document/MappedInput.h"
#include "engine/document/Output.h"
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
        // Only the cross-reference, the trailer and the page tree are read, not every object.
        const bool ok = !check.isEncrypted() &&
                        countedPages(check.getRoot().getKey("/Pages")) == expectedPages &&
                        !check.anyWarnings();
        return ok;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace PDFEngine
