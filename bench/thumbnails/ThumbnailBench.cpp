#include "Fixtures.h"
#include "render/RendererClient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <poppler-qt6.h>

#include <cstdio>

// Prints thumbnails per second for a generated document of 200 text-and-block pages, rendered
// at the pages grid's size: by poppler on one thread of this process (how the window rendered
// before), and by one and by two renderer processes over their pipes.
//   leaflow-thumbnail-bench [pages] [side]

namespace {

double inProcess(const QString& path, int pages, double side)
{
    QElapsedTimer clock;
    clock.start();
    const std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
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
    return pages * 1000.0 / std::max<qint64>(clock.elapsed(), 1);
}

// Cold: the renderers start with the run; warm: they have already rendered another document,
// as in a session where the lists showed thumbnails before.
double renderers(const QString& path, int pages, double side, int processes, bool warm)
{
    RendererClient client(processes);
    if (warm) {
        bool ready = false;
        QObject::connect(&client, &RendererClient::answered, [&ready] { ready = true; });
        client.submit({0, RenderProtocol::Kind::render, path + ".warm", std::nullopt, 0, side});
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
    for (int i = 0; i < pages; ++i) {
        client.submit({0, RenderProtocol::Kind::render, path, std::nullopt, i, side});
    }
    while (answered < pages) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return pages * 1000.0 / std::max<qint64>(clock.elapsed(), 1);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int pages = args.size() > 1 ? args[1].toInt() : 200;
    const double side = args.size() > 2 ? args[2].toDouble() : 90;

    QTemporaryDir dir;
    QList<Fixtures::Page> spec = Fixtures::tagged(QStringLiteral("sayfa"), pages);
    for (Fixtures::Page& page : spec) {
        page.block = true;
    }
    const QString path = dir.filePath(QStringLiteral("bench.pdf"));
    Fixtures::writePdf(path, spec);
    Fixtures::writePdf(path + ".warm", Fixtures::tagged(QStringLiteral("isinma"), 1));

    const double local = inProcess(path, pages, side);
    QTextStream out(stdout);
    out << QStringLiteral("%1 pages at side %2 (%3 px)\n").arg(pages).arg(side).arg(2 * side);
    out << QStringLiteral("%1  %2  %3\n").arg("how", -22).arg("pages/s", 8).arg("ratio", 6);
    out << QStringLiteral("%1  %2  %3\n")
               .arg("in process, one thread", -22)
               .arg(local, 8, 'f', 1)
               .arg(1.0, 6, 'f', 2);
    for (const bool warm : {false, true}) {
        for (const int processes : {1, 2}) {
            const double rate = renderers(path, pages, side, processes, warm);
            out << QStringLiteral("%1  %2  %3\n")
                       .arg(QStringLiteral("%1 renderer%2, %3")
                                .arg(processes)
                                .arg(processes > 1 ? "s" : "")
                                .arg(warm ? "warm" : "cold"),
                            -22)
                       .arg(rate, 8, 'f', 1)
                       .arg(rate / local, 6, 'f', 2);
        }
    }
    return 0;
}
