#include "engine/document/Meter.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace PDFEngine {

Meter::Meter(Progress progress) : m_progress(std::move(progress)) {}

Share Meter::all()
{
    return Share(this, 0, 1);
}

void Meter::reach(double fraction)
{
    // Short of the whole until finish(): the last part of a job may take longer than its share.
    const qint64 count = std::clamp<qint64>(qint64(std::floor(fraction * whole)), 0, whole - 1);
    if (count > m_sent) {
        m_sent = count;
        m_progress.report(count, whole);
    }
}

void Meter::finish()
{
    if (m_sent < whole) {
        m_sent = whole;
        m_progress.report(whole, whole);
    }
}

void Share::report(qint64 done, qint64 total) const
{
    if (m_meter) {
        const double within = total > 0 ? std::clamp(double(done) / double(total), 0.0, 1.0) : 0;
        m_meter->reach(m_from + (m_to - m_from) * within);
    }
}

std::function<void(qint64, qint64)> Share::reporter() const
{
    return [share = *this](qint64 done, qint64 total) { share.report(done, total); };
}

std::function<void(int)> Share::percent() const
{
    return [share = *this](int percent) { share.report(percent, 100); };
}

std::vector<Share> Share::parts(const std::vector<double>& weights) const
{
    const double sum = std::accumulate(weights.begin(), weights.end(), 0.0);
    std::vector<Share> result;
    double at = 0;
    for (const double weight : weights) {
        const double next = sum > 0 ? at + weight / sum : at;
        result.push_back(
            Share(m_meter, m_from + (m_to - m_from) * at, m_from + (m_to - m_from) * next));
        at = next;
    }
    return result;
}

void Share::reading(qsizetype index) const
{
    if (m_meter) {
        m_meter->progress().reading(index);
    }
}

} // namespace PDFEngine
