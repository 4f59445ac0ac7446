#include "tools/ocr/OcrTool.h"

#include "core/Formatting.h"
#include "core/RecognitionLanguages.h"
#include "core/Settings.h"
#include "store/Store.h"
#include "store/ToolRun.h"
#include "tools/PDFFileList.h"

#include <QCoreApplication>

namespace {

// The stored languages in their fixed order; none when nothing known is stored.
std::optional<QStringList> storedLanguages()
{
    const QStringList languages =
        RecognitionLanguages::ordered(Settings::ocrLanguages.value().split(u'+'));
    return languages.isEmpty() ? std::nullopt : std::optional(languages);
}

} // namespace

OcrTool::OcrTool(Store& store)
    : ToolModel(store), m_ocrLanguages(storedLanguages().value_or(
                            RecognitionLanguages::defaults(AppLanguages::current()))),
      m_turnPages(Settings::ocrTurnPages.value())
{
}

QString OcrTool::title() const
{
    return QCoreApplication::translate("SectionText", "Metin tanıma");
}

QString OcrTool::subtitle() const
{
    return QCoreApplication::translate(
        "SectionText", "Taranmış sayfaları aranabilir yapar, bu bilgisayarda, internetsiz.");
}

QString OcrTool::feature() const
{
    return QCoreApplication::translate("AboutView",
                                       "Taramalara görünmez metin katmanı; Türkçe, İngilizce, "
                                       "İspanyolca");
}

void OcrTool::setOcrFiles(const QList<PDFFile>& files)
{
    if (!PDFFiles::same(files, m_ocrFiles)) {
        m_ocrFiles = files;
        notify(&OcrTool::ocrFilesChanged);
    }
}

void OcrTool::setOcrResults(const QHash<QUuid, PDFEngine::RecognitionTally>& results)
{
    if (results != m_ocrResults) {
        m_ocrResults = results;
        notify(&OcrTool::ocrResultsChanged);
    }
}

void OcrTool::setLanguageChosen(const QString& code, bool chosen)
{
    QStringList named = m_ocrLanguages;
    named.removeAll(code);
    if (chosen) {
        named.append(code);
    }
    const QStringList languages = RecognitionLanguages::ordered(named);
    if (languages != m_ocrLanguages) {
        m_ocrLanguages = languages;
        Settings::ocrLanguages.set(languages.join(u'+'));
        notify(&OcrTool::ocrOptionsChanged);
    }
}

void OcrTool::setTurnPages(bool turn)
{
    Settings::ocrTurnPages.set(turn);
    if (turn != m_turnPages) {
        m_turnPages = turn;
        notify(&OcrTool::ocrOptionsChanged);
    }
}

void OcrTool::setRedo(bool redo)
{
    if (redo != m_redo) {
        m_redo = redo;
        notify(&OcrTool::ocrOptionsChanged);
    }
}

void OcrTool::take(const QStringList& paths, const Admit& admit)
{
    PDFFiles::admitEach(m_ocrFiles, paths, admit, [this](const PDFFile& file) {
        setOcrFiles(m_ocrFiles + QList<PDFFile>{file});
    });
    setOcrResults({});
}

void OcrTool::clear()
{
    setOcrFiles({});
    setOcrResults({});
}

std::optional<PreparedRun> OcrTool::prepare()
{
    const QList<PDFFile>& files = m_ocrFiles;
    if (files.isEmpty() || m_ocrLanguages.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<ToolRun::OutputsPerFile> place =
        ToolRun::askOutputsPerFile(store(), key(), files,
                                   QCoreApplication::translate("Store", "aranabilir"));
    if (!place) {
        return std::nullopt;
    }
    QList<qint64> pageCounts;
    for (const PDFFile& file : files) {
        pageCounts.append(file.pageCount);
    }
    const PDFEngine::OcrJob job{.sources = ToolRun::sourcesOf(files),
                                .languages = m_ocrLanguages,
                                .redo = m_redo,
                                .turnPages = m_turnPages,
                                .pageCounts = pageCounts,
                                .destination = place->destination,
                                .folder = place->folder,
                                .baseNames = place->baseNames,
                                .createFolder = place->createFolder};
    return PreparedRun{job, files};
}

// Each input keeps what became of its pages; only the inputs written enter the banner's line
// and the history.
void OcrTool::apply(const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome)
{
    QHash<QUuid, PDFEngine::RecognitionTally> results;
    QList<PDFFile> written;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        results.insert(inputs[i].id, outcome.recognition.value(i));
        if (outcome.perSource.value(i)) {
            written.append(inputs[i]);
        }
    }
    setOcrResults(results);

    if (outcome.outputs.isEmpty()) {
        store().setBanner(key(),
                          Banner{QCoreApplication::translate("Store",
                                                             "Tüm sayfalar zaten aranabilir; yeni "
                                                             "dosya yazılmadı."),
                                 {},
                                 Banner::Kind::information});
        return;
    }
    QString text = ToolRun::readyText(outcome.outputs);
    const qsizetype unchanged = inputs.size() - written.size();
    if (unchanged > 0) {
        text += QLatin1Char(' ') +
                QCoreApplication::translate("Store", "Zaten aranabilir dosya: %1 (yazılmadı).")
                    .arg(Formatting::count(unchanged, AppLanguages::locale()));
    }
    store().finishRun(*this, written, outcome.outputs, text);
}
