#pragma once

#include "core/PDFFile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Store;

// The steps tools share when they build a job and tell its outcome.
namespace ToolRun {

// The name of an output made from input: its stem, a blank and the tool's word, short enough
// that a number can still follow when the name is taken.
QString suggestedName(const PDFFile& input, const QString& word);
// Where the dialog asking for the output's place starts: beside the input of a tool that has
// one, else where this tool last saved, else beside its first input.
QString startFolder(const QString& tool, const QList<PDFFile>& inputs);
QList<PDFSource> sourcesOf(const QList<PDFFile>& files);
qint64 totalSize(const QStringList& paths);
// Where a job writing one file per input puts them: one input goes to destination, several into
// folder, each under its base name.
struct OutputsPerFile {
    QString destination;
    QString folder;
    QStringList baseNames; // without ".pdf"
    bool createFolder = false;
};
// Asks the user through the save dialog for one input, the folder dialog for several; the names
// are each input's stem and the tool's word. None when the user cancelled.
std::optional<OutputsPerFile> askOutputsPerFile(Store& store, const QString& tool,
                                                const QList<PDFFile>& files, const QString& word);
// A finished run's banner text: the one file and its size, or how many files in which folder.
QString readyText(const QStringList& outputs);

} // namespace ToolRun
