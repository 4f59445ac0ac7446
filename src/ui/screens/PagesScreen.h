#pragma once

#include "ui/kit/FileDisplay.h"
#include "ui/kit/ToolPage.h"

class AlertLabel;
class Button;
class DropZone;
class PageGrid;
class QStackedWidget;
class QVBoxLayout;
class RunButton;
class PagesTool;
class Store;

// The delete-pages tool's page: every page of one document as a thumbnail, clicked to mark it, and
// the run.
class PagesScreen : public ToolPage {
    Q_OBJECT
public:
    PagesScreen(PagesTool& tool, Store& store, QWidget* parent = nullptr);

private:
    void showFile();
    void showSelection();
    void toggle(int page);
    void invert();

    PagesTool& m_tool;
    Store& m_store;
    FileDisplay m_display;
    QWidget* m_actions;
    Button* m_invert;
    Button* m_clearSelection;
    QStackedWidget* m_stack;
    DropZone* m_drop;
    QWidget* m_document;
    QVBoxLayout* m_documentColumn;
    QWidget* m_cardSlot = nullptr; // the card with the page's side margins
    PageGrid* m_grid;
    AlertLabel* m_summary;
    RunButton* m_run;
};
