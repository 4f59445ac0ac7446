#pragma once

#include "engine/include/Recognition.h"

// The recogniser the worker uses: poppler draws each page, Tesseract reads it, on as many threads
// as the machine and the memory bound allow, each with its own document and recognisers. The
// process must run in the C locale (Tesseract reads its data and settings with C's conventions)
// with OMP_THREAD_LIMIT=1 set before it starts (the threads are ours; Tesseract's own would
// crowd them).
class TesseractRecogniser : public PDFEngine::Recogniser {
public:
    // mostThreads above 0 caps the threads further.
    explicit TesseractRecogniser(int mostThreads = 0);

    void recognise(const PDFEngine::RecognitionRequest& request,
                   const std::function<void(PDFEngine::RecognisedPage)>& take) override;

private:
    int m_mostThreads;
};
