#pragma once

#include "FileDisplay.h"
#include "FileToolParts.h"
#include "ToolPage.h"

#include <optional>

class Button;
class DropZone;
class FileList;
class FileRow;
class RunButton;
class SegmentedControl;
class Store;
class ToneLabel;

// The compression tool's page: the inputs with their results, the level, and the run.
class CompressScreen : public ToolPage {
    Q_OBJECT
public:
    explicit CompressScreen(Store& store, QWidget* parent = nullptr);

    // What a row shows after a run: "Küçülmedi", or the new size; none without a result.
    static std::optional<QString> statusText(std::optional<qint64> result,
                                             const FileDisplay& display);

    Button* addButton() const { return m_parts.add; }
    DropZone* dropZone() const { return m_parts.drop; }
    FileList* list() const { return m_parts.list; }
    FileRow* row(int index) const;
    SegmentedControl* levels() const { return m_levels; }
    ToneLabel* levelText() const { return m_levelText; }
    ToneLabel* summary() const { return m_parts.summary; }
    Button* clearButton() const { return m_parts.clear; }
    RunButton* runButton() const { return m_parts.run; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeLevelRow();
    void showFiles();
    void showResults();
    void showLevel();
    void remove(const QUuid& id);

    Store& m_store;
    FileDisplay m_display;
    FileToolParts m_parts;
    SegmentedControl* m_levels;
    ToneLabel* m_levelText;
};
