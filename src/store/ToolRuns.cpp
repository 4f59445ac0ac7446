#include "Formatting.h"
#include "Panels.h"
#include "Store.h"

#include <QFileInfo>

namespace {

// The name of an output made from input: its stem, a blank and the tool's word.
QString suggestedName(const PDFFile& input, const QString& word)
{
    return QFileInfo(input.source.url).completeBaseName() + QLatin1Char(' ') + word;
}

// A request of tool on inputs, in their order; the caller adds where the output goes.
ToolRequest requestFor(AppSection tool, const QList<PDFFile>& inputs)
{
    ToolRequest request;
    request.tool = tool;
    for (const PDFFile& input : inputs) {
        request.sources.append(input.source);
    }
    return request;
}

} // namespace

void Store::runMerge()
{
    if (m_mergeFiles.size() < 2) {
        return;
    }
    const std::optional<QString> destination =
        m_panels.save(suggestedName(m_mergeFiles.first(), tr("birleşik")));
    if (!destination) {
        return;
    }
    ToolRequest request = requestFor(AppSection::merge, m_mergeFiles);
    request.destination = *destination;
    perform(AppSection::merge, m_mergeFiles, request);
}

void Store::runSplit()
{
    if (!m_splitFile) {
        return;
    }
    PDFEngine::Grouping groups;
    try {
        groups = splitGroups();
    } catch (const PDFEngine::Failure& failure) {
        setError(AppSection::split, failure.message());
        return;
    }
    if (groups.isEmpty()) {
        return;
    }
    const std::optional<QString> folder = m_panels.folder();
    if (!folder) {
        return;
    }
    const QList<PDFFile> inputs{*m_splitFile};
    ToolRequest request = requestFor(AppSection::split, inputs);
    request.folder = *folder;
    request.groups = groups;
    perform(AppSection::split, inputs, request);
}

void Store::runPages()
{
    if (!m_pagesFile || m_pagesSelected.isEmpty() ||
        m_pagesSelected.size() >= m_pagesFile->pageCount) {
        return;
    }
    const std::optional<QString> destination =
        m_panels.save(suggestedName(*m_pagesFile, tr("düzenlenmiş")));
    if (!destination) {
        return;
    }
    const QList<PDFFile> inputs{*m_pagesFile};
    ToolRequest request = requestFor(AppSection::pages, inputs);
    request.destination = *destination;
    request.removing = m_pagesSelected;
    perform(AppSection::pages, inputs, request);
}

void Store::runCompress()
{
    if (m_compressFiles.isEmpty()) {
        return;
    }
    const QString word = tr("sıkıştırılmış");
    ToolRequest request = requestFor(AppSection::compress, m_compressFiles);
    if (m_compressFiles.size() == 1) {
        const std::optional<QString> destination =
            m_panels.save(suggestedName(m_compressFiles.first(), word));
        if (!destination) {
            return;
        }
        request.destination = *destination;
    } else {
        const std::optional<QString> folder = m_panels.folder();
        if (!folder) {
            return;
        }
        request.folder = *folder;
    }
    for (const PDFFile& input : m_compressFiles) {
        request.baseNames.append(suggestedName(input, word));
    }
    request.level = m_compressionLevel;

    setBusy(AppSection::compress);
    removeBanner(AppSection::compress);
    setCompressResults({});
    const QList<PDFFile> inputs = m_compressFiles;
    launch(request, [this, inputs](const ToolOutcome& outcome) {
        if (outcome.failure) {
            setError(AppSection::compress, *outcome.failure);
        } else {
            finishCompress(inputs, outcome);
        }
        setBusy(std::nullopt);
    });
}

void Store::finishCompress(const QList<PDFFile>& inputs, const ToolOutcome& outcome)
{
    QHash<QUuid, qint64> results;
    QList<PDFFile> compressed;
    QStringList outputs;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const std::optional<QString> written = outcome.perSource.value(i);
        results.insert(inputs[i].id, written ? PDFEngine::fileSize(*written) : 0);
        if (written) {
            compressed.append(inputs[i]);
            outputs.append(*written);
        }
    }
    setCompressResults(results);

    if (compressed.isEmpty()) {
        setBanner(AppSection::compress,
                  Banner{tr("Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni "
                            "dosya yazılmadı."),
                         {},
                         false});
        return;
    }
    qint64 before = 0;
    for (const PDFFile& input : compressed) {
        before += input.bytes;
    }
    qint64 after = 0;
    for (const QString& output : outputs) {
        after += PDFEngine::fileSize(output);
    }
    const double ratio = static_cast<double>(before - after) / static_cast<double>(std::max<qint64>(before, 1));
    const QLocale locale;
    QString text = tr("Hazır: %1 → %2 · %3 daha küçük")
                       .arg(Formatting::fileSize(before, locale),
                            Formatting::fileSize(after, locale), Formatting::percent(ratio, locale));
    const qsizetype unchanged = inputs.size() - compressed.size();
    if (unchanged > 0) {
        text += QLatin1Char(' ') +
                tr("Küçülmeyen dosya: %1 (yazılmadı).").arg(Formatting::count(unchanged, locale));
    }
    finish(AppSection::compress, compressed, outputs, text);
}
