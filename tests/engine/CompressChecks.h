#pragma once

// Reading back what the compression pass wrote: images by their fixture
// tag, the streams that must not change, and rendered pages.

#include <poppler/qt6/poppler-qt6.h>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QByteArrayList>
#include <QFile>
#include <QImage>
#include <QMap>
#include <algorithm>
#include <cstdlib>
#include <memory>

namespace CompressChecks {

struct ImageRecord {
    int width = 0;
    int height = 0;
    QByteArray filter;     // unparsed /Filter
    QByteArray colorSpace; // unparsed, resolved /ColorSpace
    QByteArray decode;     // unparsed /Decode
    QByteArray raw;        // stream bytes as stored
    int maskWidth = 0;     // the soft mask's size and filter, when there is one
    int maskHeight = 0;
    QByteArray maskFilter;
};

inline QByteArray toBytes(const std::string& s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

inline QByteArray rawBytes(QPDFObjectHandle stream)
{
    std::shared_ptr<Buffer> raw = stream.getRawStreamData();
    return QByteArray(reinterpret_cast<const char*>(raw->getBuffer()),
                      static_cast<qsizetype>(raw->getSize()));
}

inline std::unique_ptr<QPDF> load(const QString& path, const QString& password = {})
{
    auto pdf = std::make_unique<QPDF>();
    pdf->setSuppressWarnings(true);
    pdf->processFile(QFile::encodeName(path).constData(), password.toStdString().c_str());
    return pdf;
}

inline QByteArray describe(QPDFObjectHandle value)
{
    if (value.isIndirect() && value.isStream()) {
        return "stream /N " + toBytes(value.getDict().getKey("/N").unparse());
    }
    if (value.isArray()) {
        QByteArray out = "[";
        for (QPDFObjectHandle& item : value.aitems()) {
            out += describe(item) + ' ';
        }
        return out + ']';
    }
    return toBytes(value.unparseResolved());
}

// Every image XObject in the file that carries a /FixtureTag.
inline QMap<QString, ImageRecord> imagesByTag(const QString& path, const QString& password = {})
{
    auto pdf = load(path, password);
    QMap<QString, ImageRecord> images;
    for (QPDFObjectHandle& object : pdf->getAllObjects()) {
        if (!object.isStream() || !object.getDict().hasKey("/FixtureTag")) {
            continue;
        }
        QPDFObjectHandle dict = object.getDict();
        ImageRecord record;
        record.width = static_cast<int>(dict.getKey("/Width").getIntValueAsInt());
        record.height = static_cast<int>(dict.getKey("/Height").getIntValueAsInt());
        record.filter = toBytes(dict.getKey("/Filter").unparse());
        record.colorSpace = describe(dict.getKey("/ColorSpace"));
        record.decode = toBytes(dict.getKey("/Decode").unparse());
        record.raw = rawBytes(object);
        QPDFObjectHandle mask = dict.getKey("/SMask");
        if (mask.isStream()) {
            record.maskWidth = mask.getDict().getKey("/Width").getIntValueAsInt();
            record.maskHeight = mask.getDict().getKey("/Height").getIntValueAsInt();
            record.maskFilter = toBytes(mask.getDict().getKey("/Filter").unparse());
        }
        images.insert(QString::fromStdString(dict.getKey("/FixtureTag").getUTF8Value()), record);
    }
    return images;
}

// The decoded data of every stream that is not an image (page contents, forms,
// patterns, appearances, profiles), sorted so renumbering does not matter.
inline QByteArrayList otherStreams(const QString& path, const QString& password = {})
{
    auto pdf = load(path, password);
    QByteArrayList streams;
    for (QPDFObjectHandle& object : pdf->getAllObjects()) {
        if (!object.isStream()) {
            continue;
        }
        QPDFObjectHandle dict = object.getDict();
        if (dict.getKey("/Subtype").isNameAndEquals("/Image") ||
            dict.getKey("/Type").isNameAndEquals("/ObjStm") ||
            dict.getKey("/Type").isNameAndEquals("/XRef")) {
            continue;
        }
        std::shared_ptr<Buffer> data = object.getStreamData(qpdf_dl_generalized);
        streams.append(QByteArray(reinterpret_cast<const char*>(data->getBuffer()),
                                  static_cast<qsizetype>(data->getSize())));
    }
    std::sort(streams.begin(), streams.end());
    return streams;
}

inline QImage render(const QString& path, int page, double dpi = 72,
                     const QString& password = {})
{
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    if (!doc) {
        return {};
    }
    if (doc->isLocked()) {
        doc->unlock(password.toLatin1(), password.toLatin1());
    }
    std::unique_ptr<Poppler::Page> p = doc->page(page);
    return p ? p->renderToImage(dpi, dpi).convertToFormat(QImage::Format_RGB888) : QImage();
}

// Mean absolute difference per colour sample, 0..255; -1 when sizes differ.
inline double meanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull()) {
        return -1;
    }
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* ra = a.constScanLine(y);
        const uchar* rb = b.constScanLine(y);
        for (int x = 0; x < a.width() * 3; ++x) {
            total += std::abs(ra[x] - rb[x]);
        }
    }
    return total / (static_cast<double>(a.width()) * a.height() * 3);
}

} // namespace CompressChecks
