#pragma once

#include "ui/kit/FileDisplay.h"
#include "ui/kit/ToolPage.h"
#include "ui/screens/FileToolParts.h"

#include <optional>

class Button;
class DropZone;
class FileList;
class FileRow;
class RunButton;
class SegmentedControl;
class CompressTool;
class Store;
class ToneLabel;

// The compression tool's page: the inputs with their results, the level, and the run.
class CompressScreen : public ToolPage {
    Q_OBJECT
public:
    CompressScreen(CompressTool& tool, Store& store, QWidget* parent = nullptr);

    // What a row shows after a run: "Küçülmedi", or the new size; none without a result.
    static std::optional<QString> statusText(std::optional<qint64> result,
                                             const FileDisplay& display);

    FileRow* row(int index) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeLevelRow();
    void showFiles();
    void showResults();
    void showLevel();
    void remove(const QUuid& id);

    CompressTool& m_tool;
    Store& m_store;
    FileDisplay m_display;
    FileToolParts m_parts;
    SegmentedControl* m_levels;
    ToneLabel* m_levelText;
};
