#pragma once

#include "core/AppLanguage.h"
#include "engine/include/Job.h"
#include "store/ToolModel.h"

#include <QHash>
#include <QUuid>

// Lays an invisible text layer, recognised on this computer, over the scanned pages of one or
// more PDFs, so that they can be searched, copied from and read aloud.
class OcrTool : public ToolModel {
    Q_OBJECT

public:
    explicit OcrTool(Store& store);

    const QList<PDFFile>& ocrFiles() const { return m_ocrFiles; }
    void setOcrFiles(const QList<PDFFile>& files);
    // What the last run did with each listed file's pages.
    const QHash<QUuid, PDFEngine::RecognitionTally>& ocrResults() const { return m_ocrResults; }
    void setOcrResults(const QHash<QUuid, PDFEngine::RecognitionTally>& results);
    // The chosen languages, always in RecognitionLanguages' fixed order; also kept in the
    // settings.
    const QStringList& ocrLanguages() const { return m_ocrLanguages; }
    void setLanguageChosen(const QString& code, bool chosen);
    bool turnPages() const { return m_turnPages; }
    void setTurnPages(bool turn); // also written to the settings
    // Pages this tool recognised before are recognised again; kept for this session only, since
    // it makes a run redo work that was done.
    bool redo() const { return m_redo; }
    void setRedo(bool redo);

    QString key() const override { return QStringLiteral("ocr"); }
    QString title() const override;
    QString subtitle() const override;
    QString feature() const override;
    QString symbol() const override { return QStringLiteral("text.viewfinder"); }
    bool takesMany() const override { return true; }
    QList<PDFFile> inputs() const override { return m_ocrFiles; }
    void take(const QStringList& paths, const Admit& admit) override;
    void clear() override;
    std::optional<PreparedRun> prepare() override;
    void starting() override { setOcrResults({}); }
    void apply(const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome) override;

signals:
    void ocrFilesChanged();
    void ocrResultsChanged();
    void ocrOptionsChanged();

private:
    QList<PDFFile> m_ocrFiles;
    QHash<QUuid, PDFEngine::RecognitionTally> m_ocrResults;
    QStringList m_ocrLanguages;
    bool m_turnPages = false;
    bool m_redo = false;
};
