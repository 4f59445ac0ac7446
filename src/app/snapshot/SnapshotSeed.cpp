#include "app/snapshot/SnapshotSeed.h"

#include "app/snapshot/DemoDocuments.h"
#include "store/Store.h"
#include "tools/compress/CompressTool.h"
#include "tools/merge/MergeTool.h"
#include "tools/ocr/OcrTool.h"
#include "tools/organize/OrganizeTool.h"
#include "tools/pages/PagesTool.h"
#include "tools/sign/SignTool.h"
#include "tools/split/SplitTool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace Snapshot {

namespace {

constexpr double padLineWidth = 2.6;

QList<DemoDocument> demoDocuments()
{
    return {
        {QCoreApplication::translate("Snapshot", "Kira sözleşmesi"), 12, 18400000},
        {QCoreApplication::translate("Snapshot", "Ek protokol"), 3, 2100000},
        {QCoreApplication::translate("Snapshot", "Teslim tutanağı"), 2, 6700000},
        {QCoreApplication::translate("Snapshot", "Demirbaş listesi"), 5, 940000},
    };
}

// The pen path of a handwritten-looking name: a tall opening loop like a capital,
// a slanted run of joined loops that shrink towards the end, and an underline.
QList<Stroke> demoStrokes()
{
    Stroke capital;
    for (int i = 0; i <= 120; ++i) {
        const double t = i / 120.0;
        const double turn = 2 * M_PI * t;
        capital.append({30 + 22 * qSin(turn) * (1 - 0.3 * t) + 26 * t,
                        70 - 48 * std::pow(qSin(M_PI * t), 1.2) + 10 * qCos(turn) * t});
    }
    Stroke name;
    constexpr int steps = 260;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double turn = 2 * M_PI * 7.5 * t;
        const double radius = (13 + 9 * qSin(3.1 * t + 0.4)) * (1 - 0.35 * t);
        const double y = 62 - 6 * t - radius * (1 - qCos(turn)) * 0.95;
        const double x = 62 + 250 * t - radius * 0.9 * qSin(turn) - 0.35 * (y - 62);
        name.append({x, y});
    }
    Stroke underline;
    for (int i = 0; i <= 80; ++i) {
        const double t = i / 80.0;
        underline.append({40 + 300 * t, 88 - 9 * qSin(M_PI * t) + 5 * qSin(2.6 * M_PI * t)});
    }
    return {capital, name, underline};
}

double round4(double value)
{
    return std::round(value * 10000) / 10000;
}

HistoryItem record(const QDateTime& date, const QString& tool, const QStringList& inputs,
                   const QStringList& outputs, qint64 before, qint64 after)
{
    HistoryItem item;
    item.id = QUuid::createUuid();
    item.date = date;
    item.tool = tool;
    item.inputs = inputs;
    item.outputs = outputs;
    item.bytesBefore = before;
    item.bytesAfter = after;
    return item;
}

QString output(const QString& folder, const QString& title, const QString& word)
{
    return QDir(folder).filePath(title + QLatin1Char(' ') + word + QStringLiteral(".pdf"));
}

// The runs' outputs are there on disk, so the history offers to show each in the file manager.
void writeOutputs(const QList<HistoryItem>& history)
{
    for (const HistoryItem& item : history) {
        for (const QString& path : item.outputs) {
            QFile(path).open(QIODevice::WriteOnly);
        }
    }
}

QString word(const char* text)
{
    return QCoreApplication::translate("Store", text);
}

} // namespace

QStringList writeDemoDocuments(const QString& folder)
{
    QDir().mkpath(folder);
    QStringList paths;
    for (const DemoDocument& document : demoDocuments()) {
        paths.append(writeDemoDocument(folder, document));
    }
    return paths;
}

SavedSignature demoSignature()
{
    const QList<Stroke> strokes = demoStrokes();
    double left = std::numeric_limits<double>::max();
    double top = left;
    double right = std::numeric_limits<double>::lowest();
    double bottom = right;
    for (const Stroke& stroke : strokes) {
        for (const QPointF& point : stroke) {
            left = qMin(left, point.x());
            right = qMax(right, point.x());
            top = qMin(top, point.y());
            bottom = qMax(bottom, point.y());
        }
    }
    // The pen's width stays inside the box at the edges.
    const QRectF box = QRectF(QPointF(left, top), QPointF(right, bottom))
                           .adjusted(-padLineWidth, -padLineWidth, padLineWidth, padLineWidth);

    SavedSignature signature;
    signature.id = QUuid::createUuid();
    signature.name = QCoreApplication::translate("SignatureLibrary", "İmza %1").arg(1);
    QList<Stroke> normalised;
    for (const Stroke& stroke : strokes) {
        Stroke points;
        for (const QPointF& point : stroke) {
            points.append({round4((point.x() - box.left()) / box.width()),
                           round4((point.y() - box.top()) / box.height())});
        }
        normalised.append(points);
    }
    signature.strokes = normalised;
    signature.weight = padLineWidth / box.height();
    signature.ink = InkColor::blue;
    signature.aspect = box.width() / box.height();
    return signature;
}

QList<HistoryItem> demoHistory(const QDateTime& now, const QString& folder)
{
    const QList<DemoDocument> documents = demoDocuments();
    const QString kira = documents[0].title;
    const QString ek = documents[1].title;
    const QString teslim = documents[2].title;
    const QString demirbas = documents[3].title;
    const auto pdf = [](const QString& title) { return title + QStringLiteral(".pdf"); };
    constexpr qint64 minute = 60;
    constexpr qint64 hour = 60 * minute;

    QStringList splitOutputs;
    for (const QString& range :
         {QStringLiteral("1-3"), QStringLiteral("4-8"), QStringLiteral("9-12")}) {
        splitOutputs.append(output(folder, kira, range));
    }
    return {
        record(now.addSecs(-24 * minute), QStringLiteral("compress"), {pdf(kira)},
               {output(folder, kira, word("sıkıştırılmış"))}, 18400000, 4100000),
        record(now.addSecs(-3 * hour), QStringLiteral("sign"), {pdf(ek)},
               {output(folder, ek, word("imzalı"))}, 2100000, 2120000),
        record(now.addSecs(-26 * hour), QStringLiteral("merge"), {pdf(kira), pdf(ek), pdf(teslim)},
               {output(folder, kira, word("birleşik"))}, 27200000, 27150000),
        record(now.addSecs(-50 * hour), QStringLiteral("split"), {pdf(kira)}, splitOutputs,
               18400000, 18450000),
        record(now.addSecs(-75 * hour), QStringLiteral("pages"), {pdf(demirbas)},
               {output(folder, demirbas, word("düzenlenmiş"))}, 940000, 610000),
    };
}

void seed(Store& store, const QString& folder)
{
    const QStringList paths = writeDemoDocuments(folder);
    const QString kira = paths.value(0);
    const QString ek = paths.value(1);
    const QString teslim = paths.value(2);
    const QString demirbas = paths.value(3);

    AppData data = store.data();
    const SavedSignature signature = demoSignature();
    data.signatures = {signature};
    data.history = demoHistory(QDateTime::currentDateTime().toUTC(), folder);
    writeOutputs(data.history);
    store.setData(data);

    auto& merge = store.tool<MergeTool>();
    store.addFiles({kira, ek, teslim}, merge);

    auto& split = store.tool<SplitTool>();
    store.addFiles({kira}, split);
    split.setSplitMode(SplitMode::ranges);
    split.setSplitRanges(QStringLiteral("1-3, 4-8, 9-12"));

    auto& compress = store.tool<CompressTool>();
    store.addFiles({kira, demirbas}, compress);
    QHash<QUuid, qint64> results;
    const double shares[] = {0.22, 0.65};
    for (qsizetype i = 0; i < compress.compressFiles().size() && i < 2; ++i) {
        const PDFFile& file = compress.compressFiles()[i];
        results.insert(file.id, static_cast<qint64>(file.bytes * shares[i]));
    }
    compress.setCompressResults(results);

    auto& sign = store.tool<SignTool>();
    store.addFiles({ek}, sign);
    if (sign.signFile()) {
        const QSizeF page = sign.signFile()->displaySize(0);
        const double width = 0.3;
        const double height = width * page.width() / signature.aspect / page.height();
        const Placement placed{QUuid::createUuid(), signature.id, 0,
                               QRectF(0.58, 0.8, width, height)};
        sign.setPlacements({placed});
        // Selected, so the picture shows the handle and remove button too.
        sign.setSelectedPlacement(placed.id);
    }

    auto& pages = store.tool<PagesTool>();
    store.addFiles({demirbas}, pages);
    pages.setPagesSelected({1, 3});

    // A document part way through: a page turned, one moved, and a pair selected.
    auto& organize = store.tool<OrganizeTool>();
    store.addFiles({kira}, organize);
    organize.setOrganizeSelected({2});
    organize.rotateSelected(1);
    organize.move({5}, 1);
    organize.setOrganizeSelected({3, 4});

    // Two scans, the first already recognised but for its cover, which carried text.
    auto& ocr = store.tool<OcrTool>();
    store.addFiles({teslim, demirbas}, ocr);
    if (!ocr.ocrFiles().isEmpty()) {
        const PDFFile& first = ocr.ocrFiles().first();
        const int count = static_cast<int>(first.pageCount);
        ocr.setOcrResults({{first.id, {std::max(count - 1, 1), count > 1 ? 1 : 0, 0}}});
    }
}

} // namespace Snapshot
