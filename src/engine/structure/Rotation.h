#pragma once

#include <qpdf/QPDFObjectHandle.hh>

// A page's /Rotate as viewers read it, and turning a page by quarter turns.
namespace PDFEngine::Rotation {

// The rotation a page shows, 0, 90, 180 or 270, its own or inherited; one that is not a
// multiple of 90 shows upright, as viewers draw it.
long long shown(const QPDFObjectHandle& page);

// Gives page its own /Rotate: the rotation from shows, turned by quarterTurns clockwise. Only
// the rotation changes, never the content.
void turn(QPDFObjectHandle page, const QPDFObjectHandle& from, int quarterTurns);

} // namespace PDFEngine::Rotation
