#pragma once

#include <QtGlobal>

#include <functional>

class QPDF;

// Cuts embedded TrueType, CFF and OpenType programs down to the glyphs the
// document shows, each glyph under its old ID, so no content stream changes.
namespace FontPass {

// A program is replaced only by a smaller one, and stays whole where its glyphs
// cannot be known for certain. Reports programs done of programs found.
void run(QPDF& pdf, const std::function<void(qint64 done, qint64 total)>& done = {});

} // namespace FontPass
