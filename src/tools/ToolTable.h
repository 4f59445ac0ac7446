#pragma once

class QWidget;
class Store;
class ToolModel;

// The one list of the tools, in the sidebar's order: each row makes a tool's model and its
// screen. The sidebar, the tray, the menus, the shortcuts and admission read the models it
// made, through the Store.
namespace ToolTable {

// Makes every tool's model as a child of the Store.
void install(Store& store);
// The page of a tool made by install.
QWidget* makeScreen(ToolModel& tool, Store& store, QWidget* parent);

} // namespace ToolTable
