#include "ui/kit/Icons.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace {

QString resourcePath(const QString& name)
{
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

QString strokeWidth(SymbolWeight weight)
{
    switch (weight) {
    case SymbolWeight::light: return QStringLiteral("1.5");
    case SymbolWeight::medium: return QStringLiteral("2.25");
    case SymbolWeight::semibold: return QStringLiteral("2.5");
    case SymbolWeight::regular: break;
    }
    return QStringLiteral("2");
}

// The source files draw in black ("currentColor") and mark knocked-out
// glyphs in white; the default stroke width on the root element sets the weight.
QByteArray sourceFor(const QString& name, SymbolWeight weight)
{
    static QHash<QString, QByteArray> cache;
    auto found = cache.find(name);
    if (found == cache.end()) {
        QFile file(resourcePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        found = cache.insert(name, file.readAll());
    }
    QByteArray data = *found;
    data.replace("currentColor", "#000000");
    data.replace("stroke-width=\"2\"\n",
                 ("stroke-width=\"" + strokeWidth(weight) + "\"\n").toUtf8());
    data.replace("stroke-width=\"2\" ", ("stroke-width=\"" + strokeWidth(weight) + "\" ").toUtf8());
    return data;
}

// Turns a black-on-transparent rendering into the tint: dark pixels keep their
// coverage, white (knocked-out) pixels become transparent, edges blend between.
void tint(QImage& image, const QColor& color)
{
    const QRgb tintRgb = color.rgb();
    const int tintAlpha = color.alpha();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            if (alpha == 0) {
                continue;
            }
            // Premultiplied: the grey level over alpha is the unpremultiplied lightness.
            const int lightness = qGray(pixel) * 255 / alpha;
            const int coverage = alpha * (255 - qMin(lightness, 255)) / 255;
            const int a = coverage * tintAlpha / 255;
            line[x] = qPremultiply(qRgba(qRed(tintRgb), qGreen(tintRgb), qBlue(tintRgb), a));
        }
    }
}

class TintedIconEngine : public QIconEngine {
public:
    TintedIconEngine(QString name, QColor color, SymbolWeight weight)
        : m_name(std::move(name)), m_color(color), m_weight(weight)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const int side = qMin(rect.width(), rect.height());
        QPixmap pm = pixmap(QSize(side, side) * ratio, mode, state);
        pm.setDevicePixelRatio(ratio);
        const QPoint origin(rect.x() + (rect.width() - side) / 2,
                            rect.y() + (rect.height() - side) / 2);
        painter->drawPixmap(origin, pm);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        QColor color = m_color;
        if (mode == QIcon::Disabled) {
            color.setAlphaF(color.alphaF() * 0.35F);
        }
        const int side = qMax(1, qMin(size.width(), size.height()));
        return QPixmap::fromImage(Icons::image(m_name, color, side, m_weight));
    }

    QIconEngine* clone() const override { return new TintedIconEngine(m_name, m_color, m_weight); }
    QString key() const override { return QStringLiteral("leaflow-tinted"); }
    QString iconName() override { return m_name; }

private:
    QString m_name;
    QColor m_color;
    SymbolWeight m_weight;
};

} // namespace

namespace Icons {

QStringList names()
{
    QStringList result;
    const QStringList files = QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")});
    for (const QString& file : files) {
        result << file.chopped(4);
    }
    result.sort();
    return result;
}

bool exists(const QString& name)
{
    return QFile::exists(resourcePath(name));
}

QImage image(const QString& name, const QColor& color, int pixels, SymbolWeight weight)
{
    const QByteArray source = sourceFor(name, weight);
    if (source.isEmpty() || pixels <= 0) {
        return {};
    }
    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    }
    tint(image, color);
    return image;
}

QPixmap pixmap(const QString& name, const QColor& color, qreal side, qreal devicePixelRatio,
               SymbolWeight weight)
{
    const int pixels = qMax(1, qRound(side * devicePixelRatio));
    const QString key = QStringLiteral("leaflow-symbol:%1:%2:%3:%4")
                            .arg(name, color.name(QColor::HexArgb))
                            .arg(pixels)
                            .arg(static_cast<int>(weight));
    QPixmap result;
    if (!QPixmapCache::find(key, &result)) {
        result = QPixmap::fromImage(image(name, color, pixels, weight));
        QPixmapCache::insert(key, result);
    }
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

QIcon icon(const QString& name, const QColor& color, SymbolWeight weight)
{
    return QIcon(new TintedIconEngine(name, color, weight));
}

} // namespace Icons
