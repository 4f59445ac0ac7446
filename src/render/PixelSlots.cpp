#include "render/PixelSlots.h"

#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

std::optional<PixelSlots> PixelSlots::create(int count)
{
    if (count < 1) {
        return std::nullopt;
    }
    const int fd = memfd_create(name, MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0) {
        return std::nullopt;
    }
    const qsizetype size = count * slotBytes;
    // Without the seals a renderer could truncate the file and the window's next read of a slot
    // would end it with SIGBUS.
    if (ftruncate(fd, size) != 0 ||
        fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL) != 0) {
        close(fd);
        return std::nullopt;
    }
    void* base = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_SHARED, fd, 0);
    if (base == MAP_FAILED) {
        close(fd);
        return std::nullopt;
    }
    return PixelSlots(fd, base, size, false);
}

std::optional<PixelSlots> PixelSlots::attach(int fd)
{
    struct stat status {};
    if (fstat(fd, &status) != 0 || status.st_size < slotBytes) {
        return std::nullopt;
    }
    const auto size = static_cast<qsizetype>(status.st_size);
    void* base =
        mmap(nullptr, static_cast<size_t>(size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (base == MAP_FAILED) {
        return std::nullopt;
    }
    return PixelSlots(fd, base, size, true);
}

PixelSlots::PixelSlots(int fd, void* base, qsizetype size, bool writable)
    : m_fd(fd), m_base(base), m_size(size), m_writable(writable)
{
}

PixelSlots::PixelSlots(PixelSlots&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_base(std::exchange(other.m_base, nullptr)),
      m_size(std::exchange(other.m_size, 0)), m_writable(other.m_writable)
{
}

PixelSlots& PixelSlots::operator=(PixelSlots&& other) noexcept
{
    if (this != &other) {
        PixelSlots gone(std::move(*this));
        m_fd = std::exchange(other.m_fd, -1);
        m_base = std::exchange(other.m_base, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_writable = other.m_writable;
    }
    return *this;
}

PixelSlots::~PixelSlots()
{
    if (m_base) {
        munmap(m_base, static_cast<size_t>(m_size));
    }
    if (m_fd >= 0) {
        close(m_fd);
    }
}

char* PixelSlots::slotStart(int slot) const
{
    return static_cast<char*>(m_base) + slot * slotBytes;
}

bool PixelSlots::put(int slot, const QImage& image)
{
    const qint64 row = imageBytes(image.width(), 1);
    if (!m_writable || slot < 0 || slot >= count() || image.depth() != 32 ||
        imageBytes(image.width(), image.height()) > slotBytes) {
        return false;
    }
    char* out = slotStart(slot);
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(out + y * row, image.constScanLine(y), static_cast<size_t>(row));
    }
    return true;
}

std::optional<QImage> PixelSlots::take(int slot, int width, int height, QImage::Format format) const
{
    if (slot < 0 || slot >= count() || width < 1 || height < 1 ||
        imageBytes(width, height) > slotBytes) {
        return std::nullopt;
    }
    QImage image(width, height, format);
    if (image.isNull() || image.depth() != 32) {
        return std::nullopt;
    }
    const qint64 row = imageBytes(width, 1);
    const char* in = slotStart(slot);
    for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), in + y * row, static_cast<size_t>(row));
    }
    return image;
}
