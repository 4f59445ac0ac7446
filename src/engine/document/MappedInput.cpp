#include "engine/document/MappedInput.h"

#include <qpdf/QPDF.hh>

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PDFEngine {

namespace {

constexpr qint64 unset = -1;
std::atomic<qint64> s_budget{unset};
std::atomic<qint64> s_mapped{0};

qint64 defaultBudget()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return std::numeric_limits<qint64>::max();
    }
    return qint64(limit.rlim_cur / 4);
}

// Takes size bytes of the budget, or nothing when they do not fit.
bool reserve(qint64 size)
{
    const qint64 budget = mappingBudget();
    qint64 mapped = s_mapped.load();
    do {
        if (size > budget - mapped) {
            return false;
        }
    } while (!s_mapped.compare_exchange_weak(mapped, mapped + size));
    return true;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

std::shared_ptr<const FileMapping> FileMapping::map(const QByteArray& path)
{
    const Descriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size <= 0 || !reserve(status.st_size)) {
        return nullptr;
    }
    const auto size = static_cast<size_t>(status.st_size);
    void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.get(), 0);
    if (data == MAP_FAILED) {
        s_mapped -= status.st_size;
        return nullptr;
    }
    return std::make_shared<const FileMapping>(static_cast<const char*>(data), status.st_size);
}

FileMapping::~FileMapping()
{
    ::munmap(const_cast<char*>(m_data), static_cast<size_t>(m_size));
    s_mapped -= m_size;
}

qint64 mappingBudget()
{
    qint64 budget = s_budget.load();
    if (budget == unset) {
        budget = defaultBudget();
        s_budget = budget;
    }
    return budget;
}

void setMappingBudget(std::optional<qint64> bytes)
{
    s_budget = bytes ? std::max<qint64>(*bytes, 0) : unset;
}

qint64 mappedBytes()
{
    return s_mapped.load();
}

MappedInput::MappedInput(std::shared_ptr<const FileMapping> mapping, std::string name)
    : m_mapping(std::move(mapping)), m_name(std::move(name))
{
}

qpdf_offset_t MappedInput::findAndSkipNextEOL()
{
    const qpdf_offset_t size = m_mapping->size();
    if (m_offset >= size) {
        m_offset = size;
        last_offset = size;
        return size;
    }
    const char* begin = m_mapping->data();
    const char* end = begin + size;
    const char* p = begin + m_offset;
    while (p < end && *p != '\r' && *p != '\n') {
        ++p;
    }
    const qpdf_offset_t found = p - begin;
    while (p < end && (*p == '\r' || *p == '\n')) {
        ++p;
    }
    m_offset = p - begin;
    return found;
}

void MappedInput::seek(qpdf_offset_t offset, int whence)
{
    qpdf_offset_t base = 0;
    switch (whence) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = m_offset; break;
    case SEEK_END: base = m_mapping->size(); break;
    default: throw std::logic_error("MappedInput: invalid seek");
    }
    if (offset < -base || offset > std::numeric_limits<qpdf_offset_t>::max() - base) {
        throw std::runtime_error(m_name + ": seek outside the file");
    }
    m_offset = base + offset;
}

size_t MappedInput::read(char* into, size_t length)
{
    const qpdf_offset_t size = m_mapping->size();
    if (m_offset >= size) {
        last_offset = size;
        return 0;
    }
    last_offset = m_offset;
    const size_t count = std::min(static_cast<size_t>(size - m_offset), length);
    std::memcpy(into, m_mapping->data() + m_offset, count);
    m_offset += static_cast<qpdf_offset_t>(count);
    return count;
}

void MappedInput::unreadCh(char)
{
    if (m_offset > 0) {
        --m_offset;
    }
}

void processMapped(QPDF& pdf, const QByteArray& path,
                   const std::shared_ptr<const FileMapping>& mapping, const char* password)
{
    if (mapping) {
        pdf.processInputSource(std::make_shared<MappedInput>(mapping, path.toStdString()),
                               password);
    } else {
        pdf.processFile(path.constData(), password);
    }
}

} // namespace PDFEngine
