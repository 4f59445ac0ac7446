#include "ocr/TesseractRecogniser.h"

// The text-recognition module: Tesseract and poppler, loaded by the worker only for recognition.
extern "C" Q_DECL_EXPORT void
leaflow_make_recogniser(std::shared_ptr<PDFEngine::Recogniser>& recogniser)
{
    recogniser = std::make_shared<TesseractRecogniser>();
}
