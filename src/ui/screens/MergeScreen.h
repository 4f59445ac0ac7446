#pragma once

#include "FileDisplay.h"
#include "ToolPage.h"

class Button;
class DropZone;
class FileList;
class QStackedWidget;
class RunButton;
class Store;
class ToneLabel;

// The merge tool's page: the inputs in output order, dragged into place, and the run.
class MergeScreen : public ToolPage {
    Q_OBJECT
public:
    explicit MergeScreen(Store& store, QWidget* parent = nullptr);

    Button* addButton() const { return m_add; }
    DropZone* dropZone() const { return m_drop; }
    FileList* list() const { return m_list; }
    ToneLabel* summary() const { return m_summary; }
    Button* clearButton() const { return m_clear; }
    RunButton* runButton() const { return m_run; }

private:
    void showFiles();
    void showSummary();
    void move(int from, int to);
    void remove(const QUuid& id);

    Store& m_store;
    FileDisplay m_display;
    Button* m_add;
    QStackedWidget* m_stack;
    DropZone* m_drop;
    FileList* m_list;
    ToneLabel* m_summary;
    Button* m_clear;
    RunButton* m_run;
};
