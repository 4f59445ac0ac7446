#include "Unpredictor.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

unsigned char paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    return static_cast<unsigned char>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// The first pixel of a row has no left neighbour, so the loops over the rest
// can read it unconditionally and the compiler keeps them tight.
void unfilterPng(unsigned char type, unsigned char* row, const unsigned char* up, size_t n,
                 size_t bpp)
{
    const size_t first = std::min(bpp, n);
    switch (type) {
    case 1:
        for (size_t i = first; i < n; ++i) {
            row[i] = static_cast<unsigned char>(row[i] + row[i - bpp]);
        }
        break;
    case 2:
        for (size_t i = 0; i < n; ++i) {
            row[i] = static_cast<unsigned char>(row[i] + up[i]);
        }
        break;
    case 3:
        for (size_t i = 0; i < first; ++i) {
            row[i] = static_cast<unsigned char>(row[i] + up[i] / 2);
        }
        for (size_t i = first; i < n; ++i) {
            row[i] = static_cast<unsigned char>(row[i] + (row[i - bpp] + up[i]) / 2);
        }
        break;
    case 4:
        // With no left or upper-left neighbour the Paeth predictor is the byte above.
        for (size_t i = 0; i < first; ++i) {
            row[i] = static_cast<unsigned char>(row[i] + up[i]);
        }
        for (size_t i = first; i < n; ++i) {
            row[i] = static_cast<unsigned char>(row[i] + paeth(row[i - bpp], up[i], up[i - bpp]));
        }
        break;
    default:
        break; // type 0, and unknown types, which readers pass through unchanged
    }
}

} // namespace

Unpredictor::Unpredictor(Pipeline* downstream, Kind kind, size_t rowBytes, size_t pixelBytes)
    : Pipeline("unpredictor", downstream)
    , m_kind(kind)
    , m_rowBytes(rowBytes)
    , m_pixelBytes(pixelBytes)
    , m_stored(kind == Kind::png ? rowBytes + 1 : rowBytes)
    , m_row(m_stored)
    , m_above(kind == Kind::png ? m_stored : 0)
{
}

void Unpredictor::write(unsigned char const* data, size_t length)
{
    while (length > 0) {
        const size_t take = std::min(length, m_stored - m_filled);
        std::memcpy(m_row.data() + m_filled, data, take);
        m_filled += take;
        data += take;
        length -= take;
        if (m_filled == m_stored) {
            decodeRow();
        }
    }
}

void Unpredictor::finish()
{
    if (m_filled > 0) {
        std::fill(m_row.begin() + static_cast<std::ptrdiff_t>(m_filled), m_row.end(), 0);
        decodeRow();
    }
    getNext()->finish();
}

void Unpredictor::decodeRow()
{
    m_filled = 0;
    if (m_kind == Kind::tiff) {
        unsigned char* row = m_row.data();
        for (size_t i = m_pixelBytes; i < m_rowBytes; ++i) {
            row[i] = static_cast<unsigned char>(row[i] + row[i - m_pixelBytes]);
        }
        getNext()->write(row, m_rowBytes);
        return;
    }
    unfilterPng(m_row[0], m_row.data() + 1, m_above.data() + 1, m_rowBytes, m_pixelBytes);
    m_row.swap(m_above); // the decoded row is the next one's upper neighbour
    getNext()->write(m_above.data() + 1, m_rowBytes);
}
