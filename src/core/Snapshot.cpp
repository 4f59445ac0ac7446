#include "Snapshot.h"

#include <QtGlobal>

namespace Snapshot {

bool active()
{
    return qEnvironmentVariableIsSet("LEAFLOW_SNAPSHOT");
}

} // namespace Snapshot
