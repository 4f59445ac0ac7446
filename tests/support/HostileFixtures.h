#pragma once

#include <QList>
#include <QString>

// Inputs that make a run long or hostile, and a look at the workers it starts.
namespace HostileFixtures {

// A PDF of `pages` pages, each carrying megabytesPerPage of incompressible
// bytes in a stream of its own, so that writing a merge of it takes a while.
void writeBulky(const QString& path, int pages, int megabytesPerPage);

// Two pages sharing their resources, the first drawn by a content stream
// that inflates to inflatedBytes: reading it (a split prunes the shared
// resources) asks for that much memory.
void writeMemoryBomb(const QString& path, qint64 inflatedBytes);

} // namespace HostileFixtures
