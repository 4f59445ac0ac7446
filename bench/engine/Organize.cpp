#include "engine/include/PDFEngine.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

// Organizes a document as bench/engine/run times it against qpdf: every page in reverse order,
// each turned a quarter clockwise, written as the organize tool writes it.
//   leaflow-bench-organize IN OUT PAGES

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: leaflow-bench-organize IN OUT PAGES\n");
        return 2;
    }
    PDFEngine::OrganizeJob job{{{QString::fromLocal8Bit(argv[1]), {}}},
                               {},
                               QString::fromLocal8Bit(argv[2])};
    for (int page = std::atoi(argv[3]) - 1; page >= 0; --page) {
        job.pages.append({0, page, 1});
    }
    const PDFEngine::Outcome outcome = PDFEngine::run(job);
    if (outcome.failure) {
        std::fprintf(stderr, "%s\n", qPrintable(*outcome.failure));
        return 1;
    }
    return 0;
}
