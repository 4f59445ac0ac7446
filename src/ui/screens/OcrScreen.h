#pragma once

#include "engine/include/Job.h"
#include "ui/kit/FileDisplay.h"
#include "ui/kit/ToolPage.h"
#include "ui/screens/FileToolParts.h"

#include <QMap>
#include <optional>

class AlertLabel;
class FileRow;
class OcrTool;
class QCheckBox;
class Store;

// The text recognition tool's page: the inputs with what became of their pages, the languages,
// the page options and the run.
class OcrScreen : public ToolPage {
    Q_OBJECT
public:
    OcrScreen(OcrTool& tool, Store& store, QWidget* parent = nullptr);

    // What a row shows after a run ("12 sayfa tanındı · 3 zaten aranabilir"); none without one.
    static std::optional<QString>
    statusText(const std::optional<PDFEngine::RecognitionTally>& tally);

    FileRow* row(int index) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeOptions();
    void showFiles();
    void showResults();
    void showOptions();
    void remove(const QUuid& id);

    OcrTool& m_tool;
    Store& m_store;
    FileDisplay m_display;
    FileToolParts m_parts;
    QMap<QString, QCheckBox*> m_languages; // by recognition code
    QCheckBox* m_turnPages;
    QCheckBox* m_redo;
    AlertLabel* m_languageNote;
};
