#include "TestPages.h"

#include <QGuiApplication>
#include <cstdio>

// leaflow-bench-ocr-pages OUT.pdf WORDS.tsv: the pages bench/ocr/run recognises.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: leaflow-bench-ocr-pages OUT.pdf WORDS.tsv\n");
        return 2;
    }
    return TestPages::write(args[1], args[2]) ? 0 : 1;
}
