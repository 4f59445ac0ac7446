#pragma once

#include "ui/kit/FileDisplay.h"
#include "ui/kit/ToolPage.h"
#include "ui/screens/FileToolParts.h"

class Button;
class DropZone;
class FileList;
class RunButton;
class MergeTool;
class Store;
class ToneLabel;

// The merge tool's page: the inputs in output order, dragged into place, and the run.
class MergeScreen : public ToolPage {
    Q_OBJECT
public:
    MergeScreen(MergeTool& tool, Store& store, QWidget* parent = nullptr);

private:
    void showFiles();
    // Each row's pages as its range gives them, the total, and whether the merge can run.
    void showPages();
    void showSummary();
    void move(int from, int to);
    void remove(const QUuid& id);

    MergeTool& m_tool;
    Store& m_store;
    FileDisplay m_display;
    FileToolParts m_parts;
};
