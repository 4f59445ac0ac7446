#pragma once

#include "core/PDFFile.h"

#include <QList>
#include <QString>
#include <QStringList>

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
// A finished run's banner text: the one file and its size, or how many files in which folder.
QString readyText(const QStringList& outputs);

} // namespace ToolRun
