#pragma once

#include <QString>

// The programs Leaflow runs as child processes: the worker runs engine jobs, the renderer draws
// pages for the window.
enum class Helper { worker, renderer };

// What a helper loads only when a job needs it, kept out of every other process: text recognition
// (Tesseract, poppler) and reading signature images (Qt's image formats).
enum class Module { recognition, pictures };

// Where a helper program or a module is: the first of these places that has it, in this order.
//  1. The file the environment variable LEAFLOW_WORKER or LEAFLOW_RENDERER names, when it is set,
//     and then no other place: whoever points there (the tests, a developer trying another build)
//     hears that it is missing instead of silently getting another one.
//  2. For a program running inside the build tree, the helper built there, so that a stale copy
//     lying beside it is never run instead.
//  3. Beside the running program.
//  4. Where an install puts it: libexec/leaflow seen from the programs' bin folder, so that an
//     install under any prefix (the package's /usr, ~/.local) finds its own.
// A module's variable is LEAFLOW_OCR_MODULE or LEAFLOW_ART_MODULE.
namespace HelperPath {

// "leaflow-worker", "leaflow-renderer": the name the messages give it.
QString programName(Helper helper);
// Its absolute path; empty when none of the places has it.
QString find(Helper helper);

// "leaflow-ocr.so", "leaflow-art.so".
QString moduleName(Module module);
// Its absolute path; empty when none of the places has it.
QString find(Module module);

} // namespace HelperPath
