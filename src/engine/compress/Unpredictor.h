#pragma once

#include <qpdf/Pipeline.hh>

#include <vector>

// Undoes the PNG or TIFF predictor of 8-bit sample rows between an inflater and
// the next stage, giving the same bytes as qpdf's own decoder: an unknown PNG
// row type leaves its row as it is, and a last row cut short is completed with
// zeros before it is decoded.
class Unpredictor : public Pipeline {
public:
    enum class Kind { png, tiff };

    // rowBytes is the decoded row (columns x colours), pixelBytes one pixel (colours).
    Unpredictor(Pipeline* downstream, Kind kind, size_t rowBytes, size_t pixelBytes);

    void write(unsigned char const* data, size_t length) override;
    void finish() override;

private:
    void decodeRow();

    Kind m_kind;
    size_t m_rowBytes;
    size_t m_pixelBytes;
    size_t m_stored; // bytes per stored row: PNG adds a type byte
    size_t m_filled = 0;
    std::vector<unsigned char> m_row;   // the row being filled, as stored
    std::vector<unsigned char> m_above; // PNG: the previous decoded row, as m_row, zeros at first
};
