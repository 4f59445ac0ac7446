#include "Fixtures.h"
#include "render/RendererClient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <poppler-qt6.h>

#include <algorithm>
#include <cstdio>
#include <functional>

// Prints thumbnails per second for a generated document of text-and-block pages, rendered at the
// pages grid's size: by poppler on one thread of this process (how the window rendered before),
// and by one and by two renderer processes, each the median of several runs and as a share of
// the in-process rate; then the processor time per page in this thread and in the renderers.
//   leaflow-thumbnail-bench [pages] [side] [runs]
// The in-process run and the warm renderers have rendered another document first, so loading
// fonts counts against neither; cold renderers start with the run.

namespace {

// What one run measured: the wall-clock rate, and the processor time a page took in this thread
// and in the renderers, which a busy machine changes less. On idle cores the window and a renderer
// work side by side, so the slower of the two sets the rate.
struct Measure {
    double rate = 0;
    double hereMs = 0;
    double renderersMs = 0;
};

// Processor time the task has run, from the scheduler's own count.
qint64 cpuNanos(const QString& task)
{
    QFile file(QStringLiteral("/proc/%1/schedstat").arg(task));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').value(0).toLongLong() : 0;
}

qint64 cpuNanos(const QList<qint64>& pids)
{
    qint64 sum = 0;
    for (const qint64 pid : pids) {
        sum += cpuNanos(QString::number(pid));
    }
    return sum;
}

qint64 cpuHere()
{
    return cpuNanos(QStringLiteral("thread-self"));
}

Measure measured(const QElapsedTimer& clock, qint64 here, qint64 renderers, int pages)
{
    return {pages * 1e9 / std::max<qint64>(clock.nsecsElapsed(), 1), here / 1e6 / pages,
            renderers / 1e6 / pages};
}

struct Setup {
    QString path;
    QString warmPath;
    int pages = 0;
    double side = 0;
};

void renderHere(const QString& path, int pages, double side)
{
    const std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    // The hints the renderer sets (RenderServer::open), so both draw the same pixels.
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    for (int i = 0; i < pages; ++i) {
        const std::unique_ptr<Poppler::Page> page = doc->page(i);
        const QSizeF size = page->pageSizeF();
        const double dpi = 72.0 * 2 * side / std::max(size.width(), size.height());
        if (page->renderToImage(dpi, dpi).isNull()) {
            std::fprintf(stderr, "page %d did not render\n", i);
        }
    }
}

Measure inProcess(const Setup& setup)
{
    renderHere(setup.warmPath, 1, setup.side);
    QElapsedTimer clock;
    clock.start();
    const qint64 here = cpuHere();
    renderHere(setup.path, setup.pages, setup.side);
    return measured(clock, cpuHere() - here, 0, setup.pages);
}

RenderProtocol::Request page(const QString& path, int index, double side)
{
    RenderProtocol::Request request;
    request.kind = RenderProtocol::Kind::render;
    request.path = path;
    request.page = index;
    request.side = side;
    return request;
}

Measure renderers(const Setup& setup, int processes, bool warm)
{
    RendererClient client(processes);
    if (warm) {
        bool ready = false;
        QObject::connect(&client, &RendererClient::answered, [&ready] { ready = true; });
        client.submit(page(setup.warmPath, 0, setup.side));
        while (!ready) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        client.disconnect();
    }
    int answered = 0;
    QObject::connect(&client, &RendererClient::answered,
                     [&answered](quint64, const RenderProtocol::Reply& reply) {
                         if (reply.status != RenderProtocol::Status::done) {
                             std::fprintf(stderr, "a page did not render\n");
                         }
                         ++answered;
                     });
    QElapsedTimer clock;
    clock.start();
    // A cold renderer starts during the run: all its time counts, its start included.
    const qint64 here = cpuHere();
    const qint64 there = cpuNanos(client.processIds());
    for (int i = 0; i < setup.pages; ++i) {
        client.submit(page(setup.path, i, setup.side));
    }
    while (answered < setup.pages) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return measured(clock, cpuHere() - here, cpuNanos(client.processIds()) - there, setup.pages);
}

struct Row {
    QString how;
    std::function<Measure()> measure;
    QList<double> rates;
    QList<double> hereMs;
    QList<double> renderersMs;
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTemporaryDir dir;
    Setup setup{dir.filePath(QStringLiteral("bench.pdf")), dir.filePath(QStringLiteral("warm.pdf")),
                args.size() > 1 ? args[1].toInt() : 200, args.size() > 2 ? args[2].toDouble() : 90};
    const int runs = std::max(args.size() > 3 ? args[3].toInt() : 3, 1);

    QList<Fixtures::Page> spec = Fixtures::tagged(QStringLiteral("sayfa"), setup.pages);
    for (Fixtures::Page& page : spec) {
        page.block = true;
    }
    Fixtures::writePdf(setup.path, spec);
    Fixtures::writePdf(setup.warmPath, Fixtures::tagged(QStringLiteral("isinma"), 1));

    // In process is warm only: after its first run this process has loaded what poppler needs.
    QList<Row> rows{{QStringLiteral("in process, one thread"),
                     [&setup] { return inProcess(setup); },
                     {},
                     {},
                     {}}};
    for (const bool warm : {true, false}) {
        const QString state = warm ? QStringLiteral("warm") : QStringLiteral("cold");
        for (const int processes : {1, 2}) {
            rows.append({QStringLiteral("%1 renderer%2, %3")
                             .arg(processes)
                             .arg(processes > 1 ? "s" : "")
                             .arg(state),
                         [&setup, processes, warm] { return renderers(setup, processes, warm); },
                         {},
                         {},
                         {}});
        }
    }
    // Runs interleave the rows, so a busy moment on the machine spreads over all of them.
    for (int run = 0; run < runs; ++run) {
        for (Row& row : rows) {
            const Measure m = row.measure();
            row.rates.append(m.rate);
            row.hereMs.append(m.hereMs);
            row.renderersMs.append(m.renderersMs);
        }
    }

    QTextStream out(stdout);
    out << QStringLiteral("%1 pages at side %2 (%3 px), median of %4 runs\n")
               .arg(setup.pages)
               .arg(setup.side)
               .arg(2 * setup.side)
               .arg(runs);
    out << QStringLiteral("%1  %2  %3  %4  %5\n")
               .arg("how", -22)
               .arg("pages/s", 8)
               .arg("ratio", 6)
               .arg("ms/page here", 12)
               .arg("in renderers", 12);
    const double local = median(rows.first().rates);
    for (const Row& row : rows) {
        const double rate = median(row.rates);
        out << QStringLiteral("%1  %2  %3  %4  %5\n")
                   .arg(row.how, -22)
                   .arg(rate, 8, 'f', 1)
                   .arg(rate / local, 6, 'f', 2)
                   .arg(median(row.hereMs), 12, 'f', 3)
                   .arg(median(row.renderersMs), 12, 'f', 3);
    }
    return 0;
}
