#pragma once

#include "ui/kit/ToolPage.h"

class DropZone;
class OrganizeTool;
class RunButton;
class Store;

// The organize tool's page: the document's pages to turn, order, copy, delete and extract.
class OrganizeScreen : public ToolPage {
    Q_OBJECT
public:
    OrganizeScreen(OrganizeTool& tool, Store& store, QWidget* parent = nullptr);

private:
    OrganizeTool& m_tool;
    Store& m_store;
    DropZone* m_drop;
    RunButton* m_run;
};
