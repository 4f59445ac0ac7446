#include "ocr/Handover.h"

Handover::Handover(int producers) : m_running(producers) {}

void Handover::put(PDFEngine::RecognisedPage page)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pages.push_back(std::move(page));
    }
    m_changed.notify_one();
}

void Handover::fail(std::exception_ptr error)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_error) {
            m_error = std::move(error);
        }
    }
    m_changed.notify_one();
}

void Handover::finished()
{
    {
        const std::lock_guard lock(m_mutex);
        --m_running;
    }
    m_changed.notify_one();
}

std::optional<PDFEngine::RecognisedPage> Handover::next()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_error || !m_pages.empty() || m_running == 0; });
    if (m_error) {
        std::rethrow_exception(m_error);
    }
    if (m_pages.empty()) {
        return std::nullopt;
    }
    PDFEngine::RecognisedPage page = std::move(m_pages.front());
    m_pages.pop_front();
    return page;
}
