#include "engine/document/Operations.h"
#include "engine/include/Recognition.h"

#include <mutex>

namespace PDFEngine {

namespace {

std::mutex& guard()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<Recogniser>& installed()
{
    static std::shared_ptr<Recogniser> current;
    return current;
}

} // namespace

void useRecogniser(std::shared_ptr<Recogniser> recogniser)
{
    const std::lock_guard lock(guard());
    installed() = std::move(recogniser);
}

std::shared_ptr<Recogniser> recogniser()
{
    const std::lock_guard lock(guard());
    return installed();
}

RecognitionTally recognizeText(const PDFSource&, const OcrJob&, const QString&, OutputTransaction&,
                               const Share&)
{
    // The text layer is laid in its own change; until then the job refuses plainly.
    throw Failure(QStringLiteral("Metin tanıma henüz yapılamıyor."));
}

} // namespace PDFEngine
