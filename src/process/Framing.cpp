#include "process/Framing.h"

#include <QtEndian>

#include <array>
#include <cerrno>
#include <unistd.h>

namespace Framing {

namespace {
constexpr qsizetype headerSize = 4;
constexpr std::size_t readSize = std::size_t{64} * 1024;
} // namespace

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

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

std::optional<QByteArray> readFrame(int fd, Reader& reader)
{
    std::array<char, readSize> chunk{};
    for (;;) {
        if (std::optional<QByteArray> payload = reader.next()) {
            return payload;
        }
        if (reader.broken()) {
            return std::nullopt;
        }
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return std::nullopt;
        }
        reader.feed(QByteArray(chunk.data(), got));
    }
}

} // namespace Framing
