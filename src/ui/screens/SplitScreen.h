#pragma once

#include "ui/kit/FileDisplay.h"
#include "ui/kit/ToolPage.h"
#include "ui/screens/SplitPreview.h"

class DropZone;
class QScrollArea;
class QStackedWidget;
class QVBoxLayout;
class RunButton;
class SingleFileCard;
class SplitOptions;
class SplitTool;
class Store;
class ToneLabel;

// The split tool's page: the input's card, how to split it, and the names the split will write.
class SplitScreen : public ToolPage {
    Q_OBJECT
public:
    // The preview lists at most `shown` names.
    SplitScreen(SplitTool& tool, Store& store, QWidget* parent = nullptr, int shown = 24);

private:
    void showFile();
    void showOutcome();
    SplitOutcome outcome() const;
    // Whether the reason empty ranges cannot split is shown: after typing, or a run tried.
    void askForRanges(bool asked);

    SplitTool& m_tool;
    Store& m_store;
    FileDisplay m_display;
    QStackedWidget* m_stack;
    DropZone* m_drop;
    QScrollArea* m_scroll;
    QVBoxLayout* m_column;
    SingleFileCard* m_card = nullptr;
    SplitOptions* m_options;
    SplitPreview* m_preview;
    ToneLabel* m_count;
    RunButton* m_run;
    bool m_rangesAsked = false;
};
