#pragma once

class QWidget;
class Store;

// Asks before the application quits while a run is in progress.
namespace QuitGuard {

// True when nothing runs, or when the user chose to stop the run and quit: the run is then
// cancelled, so nothing half-made is left behind. False keeps the application and its run going.
bool allowQuit(Store& store, QWidget* parent);

} // namespace QuitGuard
