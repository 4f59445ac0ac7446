#include "AppLanguage.h"
#include "Framing.h"
#include "PDFEngine.h"
#include "WorkerProtocol.h"

#include <QCoreApplication>
#include <cerrno>
#include <malloc.h>
#include <mutex>
#include <new>
#include <unistd.h>

// leaflow-worker: reads one job from standard input, runs it, and writes its
// notes and outcome to standard output (see WorkerProtocol.h). Started by
// ContainedRun under limits; it is never meant to be run by hand.

namespace {

enum Status { done = 0, badRequest = 2, outOfMemory = 3 };

std::mutex& writing()
{
    static std::mutex mutex;
    return mutex;
}

void writeRaw(const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return; // the parent is gone
        }
        data += written;
        left -= written;
    }
}

// Writes whole frames only, from any thread: the out-of-memory note may come
// from an engine thread while the job's thread reports progress.
void writeAll(const QByteArray& bytes)
{
    const std::lock_guard lock(writing());
    writeRaw(bytes);
}

void send(const WorkerProtocol::Message& message)
{
    writeAll(Framing::frame(WorkerProtocol::encode(message)));
}

// Encoded at start, so that telling of exhausted memory needs no memory.
QByteArray& outOfMemoryNote()
{
    static QByteArray note = Framing::frame(WorkerProtocol::encode(WorkerProtocol::OutOfMemory{}));
    return note;
}

// The address-space bound makes an allocation fail. Libraries catch the
// bad_alloc and carry on as if the input were damaged (qpdf retries, then
// rebuilds the file's table, at length), so the job ends here: the parent is
// told, and removes the temporary folders this exit leaves.
void noteOutOfMemory()
{
    writing().lock(); // kept until the end: a second failing thread waits here
    writeRaw(outOfMemoryNote());
    ::_exit(outOfMemory);
}

std::optional<WorkerProtocol::Request> readRequest()
{
    Framing::Reader reader(WorkerProtocol::maxRequest);
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (;;) {
        if (std::optional<QByteArray> payload = reader.next()) {
            return WorkerProtocol::decodeRequest(*payload);
        }
        const ssize_t got = ::read(STDIN_FILENO, chunk.data(), static_cast<size_t>(chunk.size()));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || reader.broken()) {
            return std::nullopt;
        }
        reader.feed(chunk.first(got));
    }
}

// A worker lives for one job, whose large buffers (an image's samples, a stream's bytes) come
// and go by the dozen: kept in the heap for the next one instead of returned to the system,
// they are not faulted in again page by page, which costs more than copying them.
void keepFreedMemory()
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

} // namespace

int main(int argc, char* argv[])
{
    keepFreedMemory();
    QCoreApplication app(argc, argv);
    outOfMemoryNote();
    std::set_new_handler(noteOutOfMemory);
    try {
        const std::optional<WorkerProtocol::Request> request = readRequest();
        if (!request) {
            return badRequest;
        }
        AppLanguages::installTranslator(app, request->language);
        PDFEngine::Progress progress;
        progress.step = [](qint64 done, qint64 total) {
            send(WorkerProtocol::Progress{done, total});
        };
        progress.input = [](qsizetype index) { send(WorkerProtocol::Input{index}); };
        progress.folder = [](const QString& path) { send(WorkerProtocol::Folder{path}); };
        // The outputs stay in their private folder: the parent puts them in place once this
        // process has ended well, so that killing it at any moment leaves no partial result.
        send(WorkerProtocol::Finished{PDFEngine::stage(request->job, progress)});
        return done;
    } catch (const std::bad_alloc&) {
        writeAll(outOfMemoryNote());
        return outOfMemory;
    }
}
