#pragma once

#include "engine/compress/fonts/ShownText.h"

#include <map>
#include <vector>

class QPDF;

// Every place in a document that refers to an indirect object, so that a font
// is changed only when nothing but the walked content can reach it.
namespace References {

using Places = std::map<QPDFObjGen, std::vector<ShownText::Place>>;

// Array items are placed under the key "[]"; their container key is the key
// that holds the array.
Places scan(QPDF& pdf);

} // namespace References
