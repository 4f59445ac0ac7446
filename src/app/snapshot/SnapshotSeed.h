#pragma once

#include "core/AppData.h"

#include <QDateTime>
#include <QStringList>

class Store;

// The demonstration data of the screenshot mode.
namespace Snapshot {

// Writes the four demonstration documents into `folder`; their paths in table order.
QStringList writeDemoDocuments(const QString& folder);
// The drawn demonstration signature, "İmza 1".
SavedSignature demoSignature();
// The five demonstration runs, newest first, dated back from `now`, their outputs in `folder`.
QList<HistoryItem> demoHistory(const QDateTime& now, const QString& folder);
// Fills the Store with documents written into `folder` in every tool, the signature placed on the
// document being signed, and the history, whose outputs are written there too.
void seed(Store& store, const QString& folder);

} // namespace Snapshot
