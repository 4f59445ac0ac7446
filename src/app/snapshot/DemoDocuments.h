#pragma once

#include <QString>
#include <QtGlobal>

// The demonstration documents of the screenshot mode, drawn the same every time.
namespace Snapshot {

// Knuth's MMIX linear congruential generator, seeded so each title draws its own pages.
class DemoRandom {
public:
    explicit DemoRandom(quint64 seed);
    // The next draw as a fraction in [0, 1), from the state's top 24 bits.
    double next();
    quint64 state() const { return m_state; }

private:
    quint64 m_state;
};

struct DemoDocument {
    QString title; // already translated
    int pages = 0;
    quint64 seed = 0;
};

// Writes `document` as "<title>.pdf" into folder on A4 pages; the path, or empty on failure.
QString writeDemoDocument(const QString& folder, const DemoDocument& document);

} // namespace Snapshot
