#include "ScanPages.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>

namespace {

constexpr int dpi = 300;
constexpr int widthPx = 1500;
constexpr int heightPx = 900;

QImage blank()
{
    QImage image(widthPx, heightPx, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    return image;
}

// Lays the words out in lines of DejaVu Serif 12 pt; their boxes in points.
QList<ScanPages::Word> draw(QImage& image, const QString& text)
{
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(50);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    int x = 100;
    int y = 100 + metrics.ascent();
    QList<ScanPages::Word> words;
    for (const QString& word : text.split(u' ')) {
        const int advance = metrics.horizontalAdvance(word);
        if (x + advance > widthPx - 100) {
            x = 100;
            y += metrics.lineSpacing() + 20;
        }
        painter.drawText(x, y, word);
        const QRectF box(x, y - metrics.ascent(), advance, metrics.height());
        words.append({ScanPages::bare(word), QRectF(box.topLeft() * 72 / dpi, box.size() * 72 / dpi)});
        x += advance + metrics.horizontalAdvance(u' ');
    }
    return words;
}

QImage worn(const QImage& clean)
{
    QImage skewed = blank();
    {
        QPainter painter(&skewed);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setTransform(QTransform().translate(widthPx / 2.0, heightPx / 2.0).rotate(0.6).translate(-widthPx / 2.0, -heightPx / 2.0));
        painter.drawImage(0, 0, clean);
    }
    QRandomGenerator random(27);
    for (int i = 0; i < 6000; ++i) {
        skewed.setPixel(random.bounded(widthPx), random.bounded(heightPx), random.bounded(2) ? 0 : 160);
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    skewed.save(&buffer, "JPG", 40);
    return QImage::fromData(jpeg, "JPG").convertToFormat(QImage::Format_Grayscale8);
}

} // namespace

namespace ScanPages {

QString bare(const QString& word)
{
    qsizetype from = 0;
    qsizetype to = word.size();
    while (from < to && word[from].isPunct()) {
        ++from;
    }
    while (to > from && word[to - 1].isPunct()) {
        --to;
    }
    return word.mid(from, to - from);
}

QString turkish()
{
    return QStringLiteral("Sözleşmenin imzalandığı günden itibaren kiracı, aylık ödemeyi her ayın beşinci "
                          "günü yapmakla yükümlüdür. Çağrı merkezine ulaşmak için İstanbul şubesine "
                          "başvurunuz. Işık, güneş ve ağaçların gölgesi bahçeyi çok güzelleştiriyordu.");
}

QString englishSpanish()
{
    return QStringLiteral("The tenant shall pay the monthly rent on the fifth day of each month. El niño "
                          "pequeño comió mañana en casa de su abuela. La señora pidió información sobre "
                          "el contrato. ¿Dónde está la oficina más cercana?");
}

QList<QList<Word>> write(const QString& path, const QList<std::pair<QString, Look>>& pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QSizeF(widthPx * 72.0 / dpi, heightPx * 72.0 / dpi), QPageSize::Point));
    writer.setPageMargins(QMarginsF());
    writer.setResolution(dpi);
    QPainter painter(&writer);
    QList<QList<Word>> words;
    for (const auto& [text, look] : pages) {
        if (!words.isEmpty()) {
            writer.newPage();
        }
        QImage image = blank();
        words.append(draw(image, text));
        if (look == Look::worn) {
            image = worn(image);
        } else if (look == Look::upsideDown) {
            image = image.transformed(QTransform().rotate(180));
        }
        painter.drawImage(QRect(0, 0, widthPx, heightPx), image);
    }
    return words;
}

} // namespace ScanPages
