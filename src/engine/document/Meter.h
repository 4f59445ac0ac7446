#pragma once

#include "engine/include/Progress.h"

#include <functional>
#include <vector>

namespace PDFEngine {

class Share;

// One job's progress as a single count of Meter::whole that only rises. The job's work is cut
// into shares, each telling how far it has come within itself; the count reaches the whole only
// when finish() says the job is over, so that nothing shows done while work remains.
class Meter {
public:
    static constexpr qint64 whole = 100;

    explicit Meter(Progress progress);
    Meter(const Meter&) = delete;
    Meter& operator=(const Meter&) = delete;

    // The share that is the whole job.
    Share all();
    void finish();
    const Progress& progress() const { return m_progress; }

private:
    friend class Share;
    void reach(double fraction);

    Progress m_progress;
    qint64 m_sent = -1;
};

// A stretch of a job's progress, from one fraction of the whole to another. A default one
// reports nowhere.
class Share {
public:
    Share() = default;

    // done of total within this share; total 0 counts as nothing done.
    void report(qint64 done, qint64 total) const;
    // The same as a function, for the passes that take one.
    std::function<void(qint64 done, qint64 total)> reporter() const;
    // The writer's percentage within this share.
    std::function<void(int percent)> percent() const;
    // Consecutive stretches of this share, each as large as its weight is to the sum of them.
    std::vector<Share> parts(const std::vector<double>& weights) const;
    // The job now reads its index-th input.
    void reading(qsizetype index) const;

private:
    friend class Meter;
    Share(Meter* meter, double from, double to) : m_meter(meter), m_from(from), m_to(to) {}

    Meter* m_meter = nullptr;
    double m_from = 0;
    double m_to = 0;
};

} // namespace PDFEngine
