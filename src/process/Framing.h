#pragma once

#include <QByteArray>
#include <optional>

// Messages between a parent and its helper process travel as frames: a 32-bit
// big-endian length, then that many bytes. A length above the reader's bound
// marks the stream as broken instead of asking for that much memory.
namespace Framing {

QByteArray frame(const QByteArray& payload);

// Collects bytes as they arrive and hands out whole frames in order.
class Reader {
public:
    explicit Reader(qsizetype maxFrame) : m_maxFrame(maxFrame) {}

    void feed(const QByteArray& bytes);
    // The next whole frame's payload; none until it has arrived, or once broken.
    std::optional<QByteArray> next();
    bool broken() const { return m_broken; }
    // Bytes received that do not yet make a whole frame.
    qsizetype pending() const { return m_buffer.size(); }

private:
    qsizetype m_maxFrame;
    QByteArray m_buffer;
    bool m_broken = false;
};

// The helper's side, on blocking descriptors. Writes every byte, going on after a signal; false
// once the other end is gone. It allocates nothing, so it may tell of exhausted memory.
bool writeAll(int fd, const QByteArray& bytes);
// Reads until reader holds a whole frame and returns it; none at the end of the input or once
// the stream is broken.
std::optional<QByteArray> readFrame(int fd, Reader& reader);

} // namespace Framing
