#pragma once

#include "AppData.h"

#include <QDateTime>
#include <QStringList>

class Store;

// The demonstration data of the screenshot mode.
namespace Snapshot {

// The folder in the temporary folder that holds the demonstration documents.
QString demoFolder();
// Writes the four demonstration documents afresh; their paths in table order.
QStringList writeDemoDocuments();
// The drawn demonstration signature, "İmza 1".
SavedSignature demoSignature();
// The five demonstration runs, newest first, dated back from `now`.
QList<HistoryItem> demoHistory(const QDateTime& now);
// Fills the Store in place of the user's data: documents in every tool, the
// signature placed on the document being signed, and the history.
void seed(Store& store);

} // namespace Snapshot
