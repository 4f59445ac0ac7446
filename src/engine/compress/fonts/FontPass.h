#pragma once

#include "Progress.h"

class QPDF;

// Cuts embedded TrueType, CFF and OpenType programs down to the glyphs the
// document shows, each glyph under its old ID, so no content stream changes.
namespace FontPass {

// True when at least one program was replaced by a smaller one. A program
// whose glyphs cannot be known for certain stays whole. Reports programs
// done of programs found.
bool run(QPDF& pdf, const PDFEngine::Progress& progress);

} // namespace FontPass
