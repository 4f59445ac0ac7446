#pragma once

#include "engine/include/PictureReading.h"
#include "engine/include/Recognition.h"

#include <memory>

// Stand-ins for the engine's recogniser and picture reader that load the module carrying the real
// one (HelperPath::find(Module)) the first time they are asked, so that a process pays for
// Tesseract, poppler and Qt's image formats only in the job that uses them. A module that cannot
// be loaded fails that job with a message naming it.
namespace OnDemand {

std::shared_ptr<PDFEngine::Recogniser> recogniser();
std::shared_ptr<PDFEngine::PictureReader> pictureReader();

} // namespace OnDemand
