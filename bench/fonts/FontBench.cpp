// Runs the font pass alone over every PDF of a folder (the shared corpus of
// real documents by default) and prints, per document: its bytes, the bytes
// of the same rewrite without and with the pass, the programs subset of
// those embedded, and whether poppler reads the same text and renders every
// page at 72 dpi pixel for pixel as before.
//   leaflow-font-bench [folder]

#include "engine/compress/fonts/FontPass.h"
#include "engine/document/Output.h"

#include <poppler/qt6/poppler-qt6.h>
#include <qpdf/QPDF.hh>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

namespace {

std::map<QPDFObjGen, size_t> programSizes(QPDF& pdf)
{
    std::map<QPDFObjGen, size_t> sizes;
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        if (!object.isDictionary() || !object.getKey("/Type").isNameAndEquals("/FontDescriptor")) {
            continue;
        }
        for (const char* key : {"/FontFile", "/FontFile2", "/FontFile3"}) {
            QPDFObjectHandle file = object.getKey(key);
            if (file.isStream()) {
                sizes[file.getObjGen()] = file.getRawStreamData()->getSize();
            }
        }
    }
    return sizes;
}

// "yes" when every page has the same text and the same 72 dpi picture.
const char* samePages(const QString& a, const QString& b, bool pixels)
{
    const auto one = Poppler::Document::load(a);
    const auto two = Poppler::Document::load(b);
    if (!one || !two || one->numPages() != two->numPages()) {
        return "NO";
    }
    for (int i = 0; i < one->numPages(); ++i) {
        const auto p = one->page(i);
        const auto q = two->page(i);
        if (!p || !q) {
            return p || q ? "NO" : "yes";
        }
        if (p->text(QRectF()) != q->text(QRectF()) ||
            (pixels && p->renderToImage(72, 72) != q->renderToImage(72, 72))) {
            return "NO";
        }
    }
    return "yes";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QStringLiteral(LEAFLOW_CORPUS "/real");
    QTemporaryDir work;
    std::printf("%-58s %9s %9s %9s %6s %7s %5s %6s\n", "document", "input", "rewrite", "fonts",
                "ratio", "subset", "text", "pixels");
    qint64 total = 0;
    qint64 saved = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList({"*.pdf"}, QDir::Files, QDir::Name)) {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        const QString plain = work.filePath("plain.pdf");
        const QString subset = work.filePath("subset.pdf");
        std::map<QPDFObjGen, size_t> before;
        std::map<QPDFObjGen, size_t> after;
        try {
            pdf.processFile(QFile::encodeName(file.filePath()).constData());
            PDFEngine::writeFile(pdf, plain);
            before = programSizes(pdf);
            FontPass::run(pdf, {});
            after = programSizes(pdf);
            PDFEngine::writeFile(pdf, subset);
        } catch (const std::exception&) {
            continue; // locked or broken beyond writing: not this bench's business
        }
        int changed = 0;
        for (const auto& [id, size] : before) {
            changed += after.at(id) != size ? 1 : 0;
        }
        const qint64 a = QFileInfo(plain).size();
        const qint64 b = QFileInfo(subset).size();
        total += a;
        saved += a - b;
        std::printf("%-58s %9lld %9lld %9lld %6.3f %3d/%-3zu %5s %6s\n",
                    qPrintable(file.fileName().left(58)), file.size(), a, b, double(b) / double(a),
                    changed, before.size(), samePages(plain, subset, false),
                    changed ? samePages(plain, subset, true) : "-");
    }
    std::printf("all rewrites: %lld bytes, %lld saved by the font pass (%.1f %%)\n", total, saved,
                total ? 100.0 * double(saved) / double(total) : 0.0);
    return 0;
}
