#pragma once

// Screenshot mode: on while the environment variable LEAFLOW_SNAPSHOT is set, whatever its value.
namespace Snapshot {
bool active();
}
