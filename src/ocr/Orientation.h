#pragma once

#include <QImage>
#include <memory>

namespace tesseract {
class TessBaseAPI;
}

// Tells how a page image stands, with Tesseract's orientation detection; one per thread.
class Orientation {
public:
    // Throws std::runtime_error when the orientation data is not installed.
    Orientation();
    ~Orientation();
    Orientation(const Orientation&) = delete;
    Orientation& operator=(const Orientation&) = delete;

    // The clockwise quarter turns that make the image upright; 0 when it is, or when the page
    // holds too little text to tell.
    int uprightTurns(const QImage& grey, int dpi);

private:
    std::unique_ptr<tesseract::TessBaseAPI> m_api;
};
