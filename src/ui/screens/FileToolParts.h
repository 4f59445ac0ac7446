#pragma once

#include <QList>
#include <QString>
#include <functional>

class Button;
class FileDisplay;
struct PDFFile;
class QUuid;
class DropZone;
class FileList;
class QStackedWidget;
class QWidget;
class RunButton;
class Store;
class ToneLabel;
class ToolModel;
class ToolPage;

// The blocks a tool page taking several files is made of: the add button, the
// drop zone that gives way to the files once there are some, a summary, and
// the clear and run buttons.
struct FileToolParts {
    // The screen's own words, translated in its context.
    struct Texts {
        QString add;
        QString dropSymbol;
        QString dropTitle;
        QString dropDetail;
        QString clear;
        QString run;
    };
    FileToolParts(ToolModel& model, const Texts& texts, bool reorderable);

    // Puts the blocks on the page, with `filled` shown instead of the drop zone
    // once there are files, and sends add, drop zone, clear and run to the tool.
    void install(ToolPage& page, Store& store, QWidget* filled);
    // "Temizle" and the rows' remove buttons act while there are files and this tool is not
    // running on them; screens call it again when their files change.
    void allowEditing(const Store& store);
    // Lists files as rows whose remove buttons call remove with the file's id, with `summary`
    // (given the count and the total size) in the footer; the drop zone when there are none.
    void showFiles(const QList<PDFFile>& files, const FileDisplay& display, const Store& store,
                   const QString& summary, const std::function<void(const QUuid&)>& remove);

    ToolModel& tool;
    Button* add;
    QStackedWidget* stack;
    DropZone* drop;
    FileList* list;
    ToneLabel* summary;
    Button* clear;
    RunButton* run;
};
