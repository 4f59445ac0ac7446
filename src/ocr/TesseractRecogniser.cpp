#include "ocr/TesseractRecogniser.h"

#include "ocr/Handover.h"
#include "ocr/Orientation.h"
#include "ocr/PageImages.h"
#include "ocr/PageReader.h"
#include "ocr/ThreadCount.h"

#include <QTransform>
#include <mutex>
#include <tesseract/baseapi.h>
#include <thread>
#include <vector>

using PDFEngine::RecognisedPage;
using PDFEngine::RecognitionRequest;

namespace {

// Tesseract's notes (a resolution it guessed, a word it doubted) go to its debug file, a setting
// all its instances share: away from the worker's standard error, which is kept for faults.
void quietTesseract()
{
    static std::once_flag once;
    std::call_once(once, [] { tesseract::TessBaseAPI().SetVariable("debug_file", "/dev/null"); });
}

// What the recognition threads share.
struct Shared {
    const RecognitionRequest& request;
    std::atomic<int> next{0};
    std::atomic<bool> stop{false};
    Handover handover;
};

// One recognition thread: it takes the next page not taken until none is left or it is told to
// stop.
void readPages(Shared& shared)
{
    const RecognitionRequest& request = shared.request;
    try {
        const PageImages images(request.source);
        PageReader reader(request.languages, request.scratch);
        std::optional<Orientation> orientation;
        if (request.detectOrientation) {
            orientation.emplace();
        }
        for (int i = shared.next++; i < request.pages.size() && !shared.stop; i = shared.next++) {
            PageImages::Picture picture = images.render(request.pages[i]);
            const int turns = orientation ? orientation->uprightTurns(picture.grey, picture.dpi)
                                          : 0;
            if (turns != 0) {
                picture.grey = picture.grey.transformed(QTransform().rotate(90.0 * turns));
            }
            std::optional<QByteArray> layer = reader.layer(picture.grey, picture.dpi, shared.stop);
            if (!layer) {
                break;
            }
            shared.handover.put(RecognisedPage{request.pages[i], std::move(*layer), turns});
        }
    } catch (...) {
        shared.handover.fail(std::current_exception());
    }
    shared.handover.finished();
}

// Tells the threads to stop before they are joined, however the asking thread leaves.
class StopOnLeaving {
public:
    explicit StopOnLeaving(std::atomic<bool>& stop) : m_stop(stop) {}
    ~StopOnLeaving() { m_stop = true; }
    StopOnLeaving(const StopOnLeaving&) = delete;
    StopOnLeaving& operator=(const StopOnLeaving&) = delete;

private:
    std::atomic<bool>& m_stop;
};

} // namespace

TesseractRecogniser::TesseractRecogniser(int mostThreads) : m_mostThreads(mostThreads) {}

void TesseractRecogniser::recognise(const RecognitionRequest& request,
                                    const std::function<void(RecognisedPage)>& take)
{
    if (request.pages.isEmpty()) {
        return;
    }
    quietTesseract(); // here, not at start: every job's worker makes a recogniser
    const int threads = ThreadCount::forPages(int(request.pages.size()), m_mostThreads);
    Shared shared{request, {}, {}, Handover(threads)};
    std::vector<std::jthread> readers;
    readers.reserve(size_t(threads));
    const StopOnLeaving stopping{shared.stop}; // destroyed before readers, which then join
    for (int t = 0; t < threads; ++t) {
        readers.emplace_back([&shared] { readPages(shared); });
    }
    while (std::optional<RecognisedPage> page = shared.handover.next()) {
        take(std::move(*page));
    }
}
