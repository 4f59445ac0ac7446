#pragma once

#include <QList>
#include <QString>

// Inputs that make a run long or hostile, and a look at the workers it starts.
namespace HostileFixtures {

// Pages each carrying megabytesPerPage of incompressible bytes, so that writing takes a while.
void writeBulky(const QString& path, int pages, int megabytesPerPage);

// Two pages sharing resources, the first's contents inflating to inflatedBytes when read.
void writeMemoryBomb(const QString& path, qint64 inflatedBytes);

} // namespace HostileFixtures
