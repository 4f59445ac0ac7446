#pragma once

#include <QImage>
#include <QtGlobal>
#include <optional>

// Memory the window shares with one renderer process, where the renderer leaves page images so
// their pixels never pass through the pipe. The window makes it per process as an anonymous file
// sealed against shrinking, so nothing the renderer does can take pages from under the window's
// mapping; it is freed by the kernel once both sides have let go of it, however they end.
class PixelSlots {
public:
    // Enough for a page image of 1,400 pixels a side; larger images travel in the frame.
    static constexpr qsizetype slotBytes = 8LL * 1024 * 1024;
    // The name the memory shows under in /proc/<pid>/maps.
    static constexpr const char* name = "leaflow-pixels";

    // The window's side: `count` slots, mapped read-only.
    static std::optional<PixelSlots> create(int count);
    // The renderer's side: the descriptor it inherited, mapped writable.
    static std::optional<PixelSlots> attach(int fd);

    PixelSlots(PixelSlots&& other) noexcept;
    PixelSlots& operator=(PixelSlots&& other) noexcept;
    PixelSlots(const PixelSlots&) = delete;
    PixelSlots& operator=(const PixelSlots&) = delete;
    ~PixelSlots();

    int fd() const { return m_fd; }
    int count() const { return static_cast<int>(m_size / slotBytes); }

    // The renderer's side: copies the image's rows, unpadded, into the slot; false when the slot
    // does not exist or the image does not fit.
    bool put(int slot, const QImage& image);
    // The window's side: a copy of what the slot holds as such an image, so the slot is free
    // again at once; none when it cannot hold one that size.
    std::optional<QImage> take(int slot, int width, int height, QImage::Format format) const;

    // Bytes the image's rows take unpadded; the same four bytes a pixel on both sides.
    static qint64 imageBytes(qint64 width, qint64 height) { return width * height * 4; }

private:
    PixelSlots(int fd, void* base, qsizetype size, bool writable);
    char* slotStart(int slot) const;

    int m_fd = -1;
    void* m_base = nullptr;
    qsizetype m_size = 0;
    bool m_writable = false;
};
