#pragma once

#include "ui/kit/Theme.h"

#include <functional>

class Relauncher;
class SingleInstance;
class Store;

// The desktop application's start from the command line to the event loop, shared by the
// program, its screenshot harness and the tests' own launches.
namespace AppStart {

// Names the application for its settings, the desktop and the window manager.
void nameApplication();
// What every window expects before it is built: the interface language, the controls in
// `appearance`, the icon, hover tips and the dialogs' keyboard hand-back.
void dress(Appearance appearance);

// A launch that became the running one, as it is about to turn the event loop.
struct Running {
    SingleInstance& instance;
    Store& store;
    Relauncher& relauncher;
};
// Told once of the running launch, before the application itself answers later launches.
using Watch = std::function<void(const Running&)>;

// The normal start: hands the command line's files to a running instance and returns, or opens
// the window with them and runs the event loop; the exit code.
int run(int argc, char** argv, const Watch& watch = {});

} // namespace AppStart
