#include "tools/compress/CompressTool.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "core/Settings.h"
#include "engine/include/PDFEngine.h"
#include "store/Store.h"
#include "store/ToolRun.h"
#include "tools/PDFFileList.h"

#include <QCoreApplication>
#include <algorithm>

CompressTool::CompressTool(Store& store)
    : ToolModel(store), m_compressionLevel(Settings::compressionLevel.value())
{
}

QString CompressTool::title() const
{
    return QCoreApplication::translate("SectionText", "Sıkıştır");
}

QString CompressTool::feature() const
{
    return QCoreApplication::translate("AboutView", "Üç düzey; metin seçilebilir kalır");
}

QString CompressTool::subtitle() const
{
    return QCoreApplication::translate("SectionText",
                                       "Görselleri küçültür, metin seçilebilir kalır.");
}

void CompressTool::setCompressFiles(const QList<PDFFile>& files)
{
    if (!PDFFiles::same(files, m_compressFiles)) {
        m_compressFiles = files;
        notify(&CompressTool::compressFilesChanged);
    }
}

void CompressTool::setCompressResults(const QHash<QUuid, qint64>& results)
{
    if (results != m_compressResults) {
        m_compressResults = results;
        notify(&CompressTool::compressResultsChanged);
    }
}

void CompressTool::setCompressionLevel(CompressionLevel level)
{
    Settings::compressionLevel.set(level);
    if (level != m_compressionLevel) {
        m_compressionLevel = level;
        notify(&CompressTool::compressionLevelChanged);
    }
}

void CompressTool::take(const QStringList& paths, const Admit& admit)
{
    PDFFiles::admitEach(m_compressFiles, paths, admit, [this](const PDFFile& file) {
        setCompressFiles(m_compressFiles + QList<PDFFile>{file});
    });
    setCompressResults({});
}

void CompressTool::clear()
{
    setCompressFiles({});
    setCompressResults({});
}

std::optional<PreparedRun> CompressTool::prepare()
{
    const QList<PDFFile>& files = m_compressFiles;
    if (files.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<ToolRun::OutputsPerFile> place =
        ToolRun::askOutputsPerFile(store(), key(), files,
                                   QCoreApplication::translate("Store", "sıkıştırılmış"));
    if (!place) {
        return std::nullopt;
    }
    const PDFEngine::CompressJob job{ToolRun::sourcesOf(files), m_compressionLevel,
                                     place->destination,        place->folder,
                                     place->baseNames,          place->createFolder};
    return PreparedRun{job, files};
}

// Each input's result is the size written for it, 0 when it did not shrink;
// only the inputs that shrank enter the banner's sizes and the history.
void CompressTool::apply(const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome)
{
    QHash<QUuid, qint64> results;
    QList<PDFFile> compressed;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const std::optional<QString> written = outcome.perSource.value(i);
        results.insert(inputs[i].id, written ? PDFEngine::fileSize(*written) : 0);
        if (written) {
            compressed.append(inputs[i]);
        }
    }
    setCompressResults(results);

    if (outcome.notSmaller) {
        store().setBanner(key(), Banner{*outcome.notSmaller, {}, Banner::Kind::information});
        return;
    }
    qint64 before = 0;
    for (const PDFFile& input : compressed) {
        before += input.bytes;
    }
    const qint64 after = ToolRun::totalSize(outcome.outputs);
    const double ratio =
        static_cast<double>(before - after) / static_cast<double>(std::max<qint64>(before, 1));
    const QLocale locale = AppLanguages::locale();
    QString text = QCoreApplication::translate("Store", "Hazır: %1 → %2 · %3 daha küçük")
                       .arg(Formatting::fileSize(before, locale),
                            Formatting::fileSize(after, locale),
                            Formatting::percent(ratio, locale));
    const qsizetype unchanged = inputs.size() - compressed.size();
    if (unchanged > 0) {
        text += QLatin1Char(' ') +
                QCoreApplication::translate("Store", "Küçülmeyen dosya: %1 (yazılmadı).")
                    .arg(Formatting::count(unchanged, locale));
    }
    store().finishRun(*this, compressed, outcome.outputs, text);
}
