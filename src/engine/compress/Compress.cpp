#include "CompressText.h"
#include "EngineText.h"
#include "FontPass.h"
#include "ImagePass.h"
#include "LosslessPass.h"
#include "Operations.h"
#include "Output.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUuid>
#include <cerrno>
#include <cstdio>

namespace PDFEngine {

namespace {

// The private "leaflow-<UUID>" folder in the temporary folder, removed with
// everything in it however the operation ends.
class WorkingFolder {
public:
    WorkingFolder()
        : m_base(QDir::tempPath()),
          m_path(
              QDir(m_base).filePath(QStringLiteral("leaflow-") +
                                    QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper()))
    {
    }
    ~WorkingFolder()
    {
        if (m_prepared) {
            QDir(m_path).removeRecursively();
        }
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // Creates the folder and proves a file can be written in it.
    bool prepare(const QString& fileName, const Progress& progress)
    {
        // Qt gives an empty temporary path when TMPDIR names no folder; a
        // relative working folder would land in whatever the current folder is.
        if (m_base.isEmpty() || QDir::isRelativePath(m_base) || !QDir().mkpath(m_path)) {
            return false;
        }
        m_prepared = true;
        progress.created(m_path);
        QFile probe(filePath(fileName));
        return probe.open(QIODevice::WriteOnly);
    }
    QString filePath(const QString& name) const { return QDir(m_path).filePath(name); }

private:
    QString m_base;
    QString m_path;
    bool m_prepared = false;
};

// Copies across file systems when a rename cannot, through a save file
// beside the destination so it is never seen half written.
bool copyInto(const QString& from, const QString& destination)
{
    QFile in(from);
    QSaveFile out(destination);
    out.setDirectWriteFallback(false);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

void place(const QString& result, const QString& destination)
{
    if (std::rename(QFile::encodeName(result).constData(),
                    QFile::encodeName(destination).constData()) == 0) {
        return;
    }
    if (errno != EXDEV || !copyInto(result, destination)) {
        throw writeFailure(destination, errno);
    }
}

// Counts the steps of passes run one after another as one count: each pass
// reports steps done of steps it found, and a pass's steps are found only when
// it starts, so the total grows as the work goes on.
class StepTally {
public:
    explicit StepTally(const Progress& progress) : m_progress(progress) {}

    // The report of the next pass; the one before it counts as finished.
    LosslessPass::StepReport next()
    {
        m_done += m_lastTotal;
        m_found += m_lastTotal;
        m_lastTotal = 0;
        return [this](qint64 done, qint64 total) {
            m_lastTotal = total;
            m_progress.report(m_done + done, m_found + total);
        };
    }

private:
    const Progress& m_progress;
    qint64 m_done = 0;
    qint64 m_found = 0;
    qint64 m_lastTotal = 0;
};

// Every way the document is made smaller, in order: merging copies first so
// that each image is re-encoded once, recompression last so that it spends no
// time on what the image pass replaced. Whether any pass changed something does
// not matter: the rewrite alone may save (object streams, unused objects left
// out), and only the written size decides.
void shrink(QPDF& pdf, CompressionLevel level, const Progress& progress)
{
    StepTally steps(progress);
    LosslessPass::dropThumbnails(pdf);
    LosslessPass::mergeDuplicates(pdf, steps.next());
    ImagePass::run(pdf, level, steps.next());
    FontPass::run(pdf, Progress{steps.next(), {}, {}});
    LosslessPass::recompressStreams(pdf, steps.next());
}

} // namespace

bool compress(const PDFSource& source, CompressionLevel level, const QString& destination,
              const Progress& progress)
{
    const std::unique_ptr<QPDF> pdf = open(source);
    const QString inputName = EngineText::fileName(source.url);
    const QString outName = QStringLiteral("out.pdf");

    WorkingFolder folder;
    if (!folder.prepare(outName, progress)) {
        throw Failure(CompressText::startFailed());
    }
    const QString out = folder.filePath(outName);
    qint64 pages = 0;
    try {
        pages = static_cast<qint64>(QPDFPageDocumentHelper(*pdf).getAllPages().size());
        if (pages == 0) {
            // A page tree too damaged to find any page: a rewrite would keep
            // nothing of what other readers still recover.
            throw Failure(CompressText::compressFailed(inputName));
        }
        shrink(*pdf, level, progress);
        writeFile(*pdf, out);
    } catch (const std::exception&) {
        throw Failure(CompressText::compressFailed(inputName));
    }
    if (!verifyOutput(out, pages)) {
        throw Failure(CompressText::compressFailed(inputName));
    }
    if (fileSize(out) >= fileSize(source.url)) {
        return false;
    }
    place(out, destination);
    return true;
}

} // namespace PDFEngine
