#include "engine/document/OutputChecks.h"

namespace PDFEngine {

OutputChecks::OutputChecks() : m_thread([this] { run(); }) {}

OutputChecks::~OutputChecks()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_waiting.clear();
    }
    m_changed.notify_all();
    m_thread.join();
}

void OutputChecks::add(StagedOutput output)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.empty(); });
    m_waiting.push_back(std::move(output));
    m_changed.notify_all();
}

std::optional<StagedOutput> OutputChecks::failed()
{
    const std::lock_guard lock(m_mutex);
    return m_failed;
}

std::optional<StagedOutput> OutputChecks::finish()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.empty() && !m_checking; });
    return m_failed;
}

void OutputChecks::run()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        if (m_stopping) {
            return;
        }
        const StagedOutput output = std::move(m_waiting.front());
        m_waiting.pop_front();
        // After the first failure the job fails anyway; the rest need no reading.
        const bool check = !m_failed;
        m_checking = true;
        m_changed.notify_all();
        lock.unlock();
        const bool passed = !check || verifyOutput(output.staged, output.expectedPages);
        lock.lock();
        m_checking = false;
        if (!passed) {
            m_failed = output;
        }
        m_changed.notify_all();
    }
}

} // namespace PDFEngine
