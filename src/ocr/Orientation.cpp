#include "ocr/Orientation.h"

#include "ocr/Languages.h"

#include <tesseract/baseapi.h>

namespace {

// Below this the estimate is noise: sparse pages gave it, upright text of any length gave 20–29.
constexpr float leastConfidence = 2.0F;

} // namespace

Orientation::Orientation() : m_api(std::make_unique<tesseract::TessBaseAPI>())
{
    // The orientation data has only the older engine's model.
    if (m_api->Init(nullptr, "osd", tesseract::OEM_TESSERACT_ONLY) != 0) {
        Languages::missing(QStringLiteral("osd"));
    }
    m_api->SetPageSegMode(tesseract::PSM_OSD_ONLY);
}

Orientation::~Orientation() = default;

int Orientation::uprightTurns(const QImage& grey, int dpi)
{
    m_api->SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
    m_api->SetSourceResolution(dpi);
    int degrees = 0;
    float confidence = 0;
    const char* script = nullptr;
    float scriptConfidence = 0;
    if (!m_api->DetectOrientationScript(&degrees, &confidence, &script, &scriptConfidence) ||
        confidence < leastConfidence) {
        return 0;
    }
    // Tesseract tells how far the text stands turned clockwise; turning it upright undoes that.
    return (360 - degrees) % 360 / 90;
}
