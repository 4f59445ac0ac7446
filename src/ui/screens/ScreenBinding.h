#pragma once

#include "ui/kit/FileDisplay.h"

class AlertLabel;
class QStackedWidget;
class QVBoxLayout;
class QWidget;
struct PDFFile;
class RunButton;
class Store;
class ToolModel;
class ToolPage;

// The wiring every tool screen shares between its kit blocks and the Store.
namespace ScreenBinding {

// Files dropped on the page go to its tool; the page shows its banner, and the
// banner's buttons dismiss it, open its output or reveal its outputs.
void bindPage(ToolPage& page, ToolModel& tool, Store& store);
// The button follows the busy mark and the run's progress, starts its tool's run when pressed
// and stops it when cancelled.
void bindRunButton(RunButton& button, ToolModel& tool, Store& store);
// Page images come from the Store's cache.
FileDisplay fileDisplay(Store& store);
// Puts the card of `file` (none: no card) at the top of column, with the page's side margins,
// in place of `slot`, the one put there before; its buttons pick another file or clear the tool.
void placeFileCard(QVBoxLayout& column, QWidget*& slot, const PDFFile* file,
                   const FileDisplay& display, ToolModel& tool, Store& store);
// A page about one document: its content is the drop zone until a file comes, then the
// document's column (stacked in that order); the summary line leads the footer, and what the
// caller adds to the footer next stands on the right.
void stackDocument(ToolPage& page, QStackedWidget& stack, QWidget& drop, QWidget& document,
                   AlertLabel& summary);
// Thumbnails under root that were still rendering when first shown ask again once ready.
void reloadThumbsWhenReady(QWidget& root, Store& store);

} // namespace ScreenBinding
