#pragma once

#include "ui/kit/FileDisplay.h"
#include "ui/kit/ToolPage.h"

class AlertLabel;
class Button;
class DropZone;
class OrganizeGrid;
class OrganizeTool;
class QKeySequence;
class QStackedWidget;
class QVBoxLayout;
class RunButton;
class Store;

// The organize tool's page: the pages of a document (and of files taken in) as thumbnails to
// turn, drag into order, duplicate, delete or save apart, with undo, and the run that writes them.
class OrganizeScreen : public ToolPage {
    Q_OBJECT
public:
    OrganizeScreen(OrganizeTool& tool, Store& store, QWidget* parent = nullptr);

private:
    void makeToolbar();
    void makeShortcuts();
    void addShortcut(const QKeySequence& keys, const std::function<void()>& act);
    void showFiles();
    void showPages();
    void showSelection();
    void showSteps();
    // Picks files to take in after the selection (at the end without one).
    void addPDF();
    void insertDropped(const QStringList& paths, int before);

    OrganizeTool& m_tool;
    Store& m_store;
    FileDisplay m_display;
    QWidget* m_steps; // undo, redo and reset, in the header
    Button* m_undo;
    Button* m_redo;
    Button* m_reset;
    QStackedWidget* m_stack;
    DropZone* m_drop;
    QWidget* m_document;
    QVBoxLayout* m_documentColumn;
    QWidget* m_toolbar;
    Button* m_rotateLeft;
    Button* m_rotateRight;
    Button* m_duplicate;
    Button* m_delete;
    Button* m_addPDF;
    QWidget* m_cardSlot = nullptr; // the card with the page's side margins
    OrganizeGrid* m_grid;
    AlertLabel* m_summary;
    Button* m_extract;
    RunButton* m_run;
};
