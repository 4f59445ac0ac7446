#pragma once

// The screenshot mode: the application started on demonstration data in a scratch folder, its
// windows drawn into PNG files, then quit. It runs beside a normal instance and leaves the user's
// data file, the channel between launches and the desktop's tray alone.
namespace Snapshot {

// LEAFLOW_SNAPSHOT is set, whatever its value.
bool requested();
// Takes the pictures into the folder LEAFLOW_SNAPSHOT names; the exit code.
int run(int argc, char** argv);

} // namespace Snapshot
