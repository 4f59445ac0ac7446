#include "Framing.h"

#include <QtEndian>

namespace Framing {

namespace {
constexpr qsizetype headerSize = 4;
}

QByteArray frame(const QByteArray& payload)
{
    QByteArray bytes(headerSize, Qt::Uninitialized);
    qToBigEndian(static_cast<quint32>(payload.size()), bytes.data());
    return bytes + payload;
}

void Reader::feed(const QByteArray& bytes)
{
    if (!m_broken) {
        m_buffer.append(bytes);
    }
}

std::optional<QByteArray> Reader::next()
{
    if (m_broken || m_buffer.size() < headerSize) {
        return std::nullopt;
    }
    const auto length = static_cast<qsizetype>(qFromBigEndian<quint32>(m_buffer.constData()));
    if (length > m_maxFrame) {
        m_broken = true;
        m_buffer.clear();
        return std::nullopt;
    }
    if (m_buffer.size() - headerSize < length) {
        return std::nullopt;
    }
    QByteArray payload = m_buffer.mid(headerSize, length);
    m_buffer.remove(0, headerSize + length);
    return payload;
}

} // namespace Framing
