#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <string>

class QPDF;

// The private mark on what text recognition adds to a page, so that a later run can find its
// own layer again and replace it without touching anything another tool added.
namespace PDFEngine::LayerMark {

// Which of the added objects a marked one is.
enum class Part { none, form, opening, placing };

// Marks the form XObject that holds a layer.
void markForm(QPDFObjectHandle form);
// A new content stream of data, marked as the given part (opening or placing).
QPDFObjectHandle stream(QPDF& pdf, const std::string& data, Part part);
// What of ours the object is, none for anything else.
Part partOf(QPDFObjectHandle object);

} // namespace PDFEngine::LayerMark
