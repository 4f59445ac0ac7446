#include "engine/document/Output.h"
#include "engine/document/PageTree.h"

#include <qpdf/QPDF.hh>

#include <QFile>

namespace PDFEngine {

namespace {

// A file's bytes in memory, mapped where the file system allows it, else read. qpdf reads a file
// token by token with a seek before each read; from memory the same reading costs no calls.
class FileBytes {
public:
    explicit FileBytes(const QString& path) : m_file(path)
    {
        if (!m_file.open(QIODevice::ReadOnly)) {
            return;
        }
        m_data = m_file.map(0, m_file.size());
        if (m_data) {
            m_size = size_t(m_file.size());
        } else {
            m_read = m_file.readAll();
            m_data = reinterpret_cast<uchar*>(m_read.data());
            m_size = size_t(m_read.size());
        }
    }
    const char* data() const { return reinterpret_cast<const char*>(m_data); }
    size_t size() const { return m_size; }

private:
    QFile m_file;
    QByteArray m_read;
    uchar* m_data = nullptr;
    size_t m_size = 0;
};

} // namespace

bool verifyOutput(const QString& path, qint64 expectedPages)
{
    try {
        const FileBytes bytes(path);
        if (bytes.size() == 0) {
            return false;
        }
        QPDF check;
        check.setSuppressWarnings(true);
        // A file just written needs no repair: one that would is a failed write.
        check.setAttemptRecovery(false);
        const QByteArray name = QFile::encodeName(path);
        check.processMemoryFile(name.constData(), bytes.data(), bytes.size());
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
