#include "core/AppLanguage.h"
#include "engine/include/PDFEngine.h"
#include "process/Framing.h"
#include "runner/OnDemand.h"
#include "runner/WorkerProtocol.h"

#include <QCoreApplication>
#include <clocale>
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

// Writes whole frames only, from any thread: the out-of-memory note may come
// from an engine thread while the job's thread reports progress. What a parent
// that is gone would have read is dropped.
void writeAll(const QByteArray& bytes)
{
    const std::lock_guard lock(writing());
    Framing::writeAll(STDOUT_FILENO, bytes);
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
    Framing::writeAll(STDOUT_FILENO, outOfMemoryNote());
    ::_exit(outOfMemory);
}

std::optional<WorkerProtocol::Request> readRequest()
{
    Framing::Reader reader(WorkerProtocol::maxRequest);
    const std::optional<QByteArray> payload = Framing::readFrame(STDIN_FILENO, reader);
    return payload ? WorkerProtocol::decodeRequest(*payload) : std::nullopt;
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
    // Qt took the user's locale; Tesseract reads its data and settings by C's conventions (a
    // Turkish "I" lowered or a decimal comma would misread them). Nothing here shows text by the
    // C library's locale, and no thread has started yet.
    std::setlocale(LC_ALL, "C");
    // Tesseract and the image formats are loaded only by a job that reaches for them.
    PDFEngine::useRecogniser(OnDemand::recogniser());
    PDFEngine::usePictureReader(OnDemand::pictureReader());
    outOfMemoryNote();
    std::set_new_handler(noteOutOfMemory);
    try {
        const std::optional<WorkerProtocol::Request> request = readRequest();
        if (!request) {
            return badRequest; // a spare worker's parent ended without a job for it, too
        }
        ChildLimits::holdTo(request->bounds);
        send(WorkerProtocol::Accepted{});
        AppLanguages::installTranslator(app, request->language);
        PDFEngine::Progress progress;
        progress.step = [](qint64 done, qint64 total) {
            send(WorkerProtocol::Progress{done, total});
        };
        progress.input = [](qsizetype index) { send(WorkerProtocol::Input{index}); };
        progress.folder = [](const QString& path) { send(WorkerProtocol::Folder{path}); };
        // The outputs stay in their private folder: the parent puts them in place once this
        // process has ended well, so that killing it at any moment leaves no partial result.
        // What the job held is not freed: the process ends with it, and the parent waits.
        PDFEngine::keepDocumentsUntilExit();
        send(WorkerProtocol::Finished{PDFEngine::stage(request->job, progress)});
        ::_exit(done);
    } catch (const std::bad_alloc&) {
        writeAll(outOfMemoryNote());
        return outOfMemory;
    }
}
