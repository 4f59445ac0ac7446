#include "engine/include/PDFEngine.h"
#include "runner/ContainedRun.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

// What running a job in a worker process costs over running it in-process:
// the median wall time of merging a document with itself, both ways, for a
// short and a long document, and of inspecting a file as admission does; then
// how long a cancel takes to stop a long merge. Prints two tables.
//   leaflow-bench-containment [RUNS]

namespace {

void writeDocument(const QString& path, int pages)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper document(pdf);
    QPDFObjectHandle resources = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >>"));
    for (int i = 1; i <= pages; ++i) {
        QPDFObjectHandle page =
            QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] >>");
        page.replaceKey("/Resources", resources);
        page.replaceKey("/Contents",
                        pdf.newStream("BT /F1 24 Tf 72 72 Td (" + std::to_string(i) + ") Tj ET\n"));
        document.addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    }
    const QByteArray name = QFile::encodeName(path);
    QPDFWriter writer(pdf, name.constData());
    writer.write();
}

double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    std::printf("%8s %14s %14s %14s\n", "pages", "in-process ms", "contained ms", "overhead ms");
    for (int pages : {10, 1000}) {
        const QString input = dir.filePath(QStringLiteral("in-%1.pdf").arg(pages));
        writeDocument(input, pages);
        const PDFEngine::MergeJob job{{{input, {}}, {input, {}}}, dir.filePath("out.pdf")};
        const double inProcess = medianMs(runs, [&] {
            if (PDFEngine::run(job).failure) {
                std::abort();
            }
        });
        const double contained = medianMs(runs, [&] {
            ContainedRun run;
            const auto outcome = run.run(job, RunLimits::forJob(job));
            if (!outcome || outcome->failure) {
                std::abort();
            }
        });
        std::printf("%8d %14.1f %14.1f %14.1f\n", pages * 2, inProcess, contained,
                    contained - inProcess);
        if (pages == 10) {
            const PDFEngine::InspectJob inspect{{input, {}}};
            const double inspectIn = medianMs(runs, [&] { PDFEngine::run(inspect); });
            const double inspectOut = medianMs(runs, [&] {
                ContainedRun run;
                run.run(inspect, RunLimits::forJob(inspect));
            });
            std::printf("%8s %14.1f %14.1f %14.1f\n", "inspect", inspectIn, inspectOut,
                        inspectOut - inspectIn);
        }
    }
    // A cancel kills the worker mid-merge and waits until its temporary folder is gone.
    const QString input = dir.filePath(QStringLiteral("in-1000.pdf"));
    const PDFEngine::MergeJob longJob{QList<PDFSource>(40, PDFSource{input, {}}),
                                      dir.filePath("long.pdf")};
    std::vector<double> cancels;
    for (int i = 0; i < runs; ++i) {
        ContainedRun run;
        QEventLoop loop;
        QObject::connect(&run, &ContainedRun::progress, &loop, &QEventLoop::quit);
        run.start(longJob, RunLimits::forJob(longJob));
        loop.exec();
        QElapsedTimer clock;
        clock.start();
        run.cancel();
        cancels.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(cancels.begin(), cancels.end());
    std::printf("\n%8s %14s %14s\n", "pages", "cancel ms", "slowest ms");
    std::printf("%8d %14.1f %14.1f\n", 40000, cancels[cancels.size() / 2], cancels.back());
    return 0;
}
