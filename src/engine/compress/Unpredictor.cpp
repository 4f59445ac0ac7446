#include "engine/compress/Unpredictor.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The nearest of a, b and c to a + b - c, ties going to a, then b: the
// smallest of (distance, rank, value) keys. Taking minimums keeps the choice
// free of branches, which on noisy scans would mispredict about every other byte.
int paeth(int a, int b, int c)
{
    const int keyA = std::abs(b - c) << 10 | a;
    const int keyB = std::abs(a - c) << 10 | 1 << 8 | b;
    const int keyC = std::abs(a + b - 2 * c) << 10 | 2 << 8 | c;
    return std::min(keyA, std::min(keyB, keyC)) & 0xff;
}

// The left and upper-left neighbours are carried in registers: read back from
// the row just written, every byte would wait on the one before it through
// memory, and Paeth rows (most of a scan's) would run at half the speed.
template <unsigned char Type, size_t Bpp>
void unfilterCarried(unsigned char* row, const unsigned char* up, size_t n)
{
    int left[Bpp];
    int upLeft[Bpp];
    for (size_t k = 0; k < Bpp; ++k) {
        // With no left or upper-left neighbour, Sub adds nothing and Paeth picks the byte above.
        const int above = up[k];
        const int predicted = Type == 4 ? above : Type == 3 ? above / 2 : 0;
        row[k] = static_cast<unsigned char>(row[k] + predicted);
        left[k] = row[k];
        upLeft[k] = above;
    }
    for (size_t i = Bpp; i + Bpp <= n; i += Bpp) {
        for (size_t k = 0; k < Bpp; ++k) {
            const int above = up[i + k];
            const int predicted = Type == 1   ? left[k]
                                  : Type == 3 ? (left[k] + above) / 2
                                              : paeth(left[k], above, upLeft[k]);
            const unsigned char value = static_cast<unsigned char>(row[i + k] + predicted);
            row[i + k] = value;
            left[k] = value;
            upLeft[k] = above;
        }
    }
}

// Any pixel size, and rows that do not end on a whole pixel.
void unfilterAny(unsigned char type, unsigned char* row, const unsigned char* up, size_t n,
                 size_t bpp)
{
    for (size_t i = 0; i < n; ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0;
        const int upLeft = i >= bpp ? up[i - bpp] : 0;
        const int predicted = type == 1   ? left
                              : type == 2 ? up[i]
                              : type == 3 ? (left + up[i]) / 2
                                          : paeth(left, up[i], upLeft);
        row[i] = static_cast<unsigned char>(row[i] + predicted);
    }
}

// Sub, Average and Paeth, which depend on the left neighbour.
template <unsigned char Type>
void unfilterType(unsigned char* row, const unsigned char* up, size_t n, size_t bpp)
{
    if (n % bpp != 0) {
        unfilterAny(Type, row, up, n, bpp);
        return;
    }
    switch (bpp) {
    case 1: unfilterCarried<Type, 1>(row, up, n); break;
    case 2: unfilterCarried<Type, 2>(row, up, n); break;
    case 3: unfilterCarried<Type, 3>(row, up, n); break;
    case 4: unfilterCarried<Type, 4>(row, up, n); break;
    default: unfilterAny(Type, row, up, n, bpp); break;
    }
}

void unfilterPng(unsigned char type, unsigned char* row, const unsigned char* up, size_t n,
                 size_t bpp)
{
    switch (type) {
    case 1: unfilterType<1>(row, up, n, bpp); break;
    case 2:
        for (size_t i = 0; i < n; ++i) {
            row[i] = static_cast<unsigned char>(row[i] + up[i]);
        }
        break;
    case 3: unfilterType<3>(row, up, n, bpp); break;
    case 4: unfilterType<4>(row, up, n, bpp); break;
    default: break; // type 0, and unknown types, which readers pass through unchanged
    }
}

} // namespace

Unpredictor::Unpredictor(Pipeline* downstream, Kind kind, size_t rowBytes, size_t pixelBytes)
    : Pipeline("unpredictor", downstream), m_kind(kind), m_rowBytes(rowBytes),
      m_pixelBytes(pixelBytes), m_stored(kind == Kind::png ? rowBytes + 1 : rowBytes),
      m_row(m_stored), m_above(kind == Kind::png ? m_stored : 0)
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
