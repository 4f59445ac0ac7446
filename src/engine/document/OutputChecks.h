#pragma once

#include "engine/document/Output.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace PDFEngine {

// Checks staged outputs on a thread of its own while the job writes the next ones. Each check
// reads its file with a QPDF of its own, so it shares nothing with the writing. Destroying it
// waits for the check under way and drops the rest, so no thread outlives a failed job.
class OutputChecks {
public:
    OutputChecks();
    ~OutputChecks();
    OutputChecks(const OutputChecks&) = delete;
    OutputChecks& operator=(const OutputChecks&) = delete;

    // Queues output's check; while one waits behind the check under way, first waits for it,
    // so that a failure is found within two outputs of its writing.
    void add(StagedOutput output);
    // The first output that failed its check so far.
    std::optional<StagedOutput> failed();
    // Waits for every queued check; the first output that failed.
    std::optional<StagedOutput> finish();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<StagedOutput> m_waiting;
    bool m_checking = false;
    bool m_stopping = false;
    std::optional<StagedOutput> m_failed;
    // Last, so that it starts once everything it reads is made.
    std::thread m_thread;
};

} // namespace PDFEngine
