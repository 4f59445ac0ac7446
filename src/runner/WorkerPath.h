#pragma once

#include <QString>

// Where leaflow-worker is: beside the running program (an installed pair, or
// a test that copies it), else where LEAFLOW_WORKER says (the tests), else
// for a program in the build tree the worker built there, else its installed
// place relative to the program. Empty when none of them exists.
namespace WorkerPath {

QString find();

} // namespace WorkerPath
