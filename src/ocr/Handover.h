#pragma once

#include "engine/include/Recognition.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>

// Pages read on recognition threads, handed to the thread that asked for them, with the first
// failure of any of them.
class Handover {
public:
    explicit Handover(int producers);

    // From a recognition thread.
    void put(PDFEngine::RecognisedPage page);
    void fail(std::exception_ptr error);
    void finished();

    // On the asking thread: the next page read, waiting for it; none once every producer has
    // finished and every page was taken. Rethrows the first failure.
    std::optional<PDFEngine::RecognisedPage> next();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PDFEngine::RecognisedPage> m_pages;
    std::exception_ptr m_error;
    int m_running;
};
