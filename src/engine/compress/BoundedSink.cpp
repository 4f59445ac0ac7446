#include "engine/compress/BoundedSink.h"

#include <algorithm>
#include <stdexcept>

BoundedSink::BoundedSink(size_t expected)
    : Pipeline("bounded image data", nullptr), m_expected(expected),
      m_limit(expected + std::max<size_t>(4096, expected / 64))
{
    m_data.reserve(expected);
}

void BoundedSink::write(unsigned char const* data, size_t length)
{
    m_seen += length;
    if (m_seen > m_limit) {
        m_overflow = true;
        throw std::length_error("image data longer than its dimensions");
    }
    const size_t room = m_expected - std::min(m_expected, m_data.size());
    m_data.append(reinterpret_cast<const char*>(data), std::min(room, length));
}
