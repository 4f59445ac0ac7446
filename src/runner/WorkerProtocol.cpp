#include "runner/WorkerProtocol.h"

#include "runner/JobCoding.h"

#include <QBuffer>
#include <QDataStream>

namespace WorkerProtocol {

namespace {

constexpr quint32 magic = 0x4C465731; // "LFW1"
constexpr quint16 version = 3;

// A stream over bytes with a fixed format, so parent and worker agree whatever Qt defaults to.
class Stream {
public:
    explicit Stream(QByteArray* bytes, QIODevice::OpenMode mode) : m_buffer(bytes)
    {
        m_buffer.open(mode);
        m_stream.setDevice(&m_buffer);
        m_stream.setVersion(QDataStream::Qt_6_4);
    }
    QDataStream& operator*() { return m_stream; }
    bool atEndIntact() const { return m_stream.status() == QDataStream::Ok && m_buffer.atEnd(); }

private:
    QBuffer m_buffer;
    QDataStream m_stream;
};

bool readHeader(QDataStream& in)
{
    quint32 m = 0;
    quint16 v = 0;
    in >> m >> v;
    return in.status() == QDataStream::Ok && m == magic && v == version;
}

struct Put {
    QDataStream& out;
    void operator()(const Progress& p) const { out << quint8(0) << p.done << p.total; }
    void operator()(const Input& i) const { out << quint8(1) << i.index; }
    void operator()(const Folder& f) const { out << quint8(2) << f.path; }
    void operator()(const OutOfMemory&) const { out << quint8(3); }
    void operator()(const Finished& f) const
    {
        out << quint8(4);
        JobCoding::write(out, f.outcome);
    }
    void operator()(const Accepted&) const { out << quint8(5); }
};

std::optional<Message> readBody(QDataStream& in)
{
    quint8 kind = 0;
    in >> kind;
    switch (kind) {
    case 0: {
        Progress p;
        in >> p.done >> p.total;
        return p;
    }
    case 1: {
        Input i;
        in >> i.index;
        return i;
    }
    case 2: {
        Folder f;
        in >> f.path;
        return f;
    }
    case 3: return OutOfMemory{};
    case 4: {
        Finished f;
        if (!JobCoding::read(in, f.outcome)) {
            return std::nullopt;
        }
        return f;
    }
    case 5: return Accepted{};
    default: return std::nullopt;
    }
}

} // namespace

QByteArray encode(const Request& request)
{
    QByteArray bytes;
    Stream out(&bytes, QIODevice::WriteOnly);
    *out << magic << version << static_cast<quint8>(request.language) << request.bounds.memoryBytes
         << request.bounds.cpuSeconds;
    JobCoding::write(*out, request.job);
    return bytes;
}

std::optional<Request> decodeRequest(const QByteArray& payload)
{
    QByteArray bytes = payload;
    Stream in(&bytes, QIODevice::ReadOnly);
    Request request;
    quint8 language = 0;
    if (!readHeader(*in)) {
        return std::nullopt;
    }
    *in >> language >> request.bounds.memoryBytes >> request.bounds.cpuSeconds;
    if (language > static_cast<quint8>(AppLanguage::es) || !JobCoding::read(*in, request.job) ||
        !in.atEndIntact()) {
        return std::nullopt;
    }
    request.language = static_cast<AppLanguage>(language);
    return request;
}

QByteArray encode(const Message& message)
{
    QByteArray bytes;
    Stream out(&bytes, QIODevice::WriteOnly);
    *out << magic << version;
    std::visit(Put{*out}, message);
    return bytes;
}

std::optional<Message> decodeMessage(const QByteArray& payload)
{
    QByteArray bytes = payload;
    Stream in(&bytes, QIODevice::ReadOnly);
    if (!readHeader(*in)) {
        return std::nullopt;
    }
    std::optional<Message> message = readBody(*in);
    if (!message || !in.atEndIntact()) {
        return std::nullopt;
    }
    return message;
}

} // namespace WorkerProtocol
