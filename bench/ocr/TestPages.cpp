#include "TestPages.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTextStream>
#include <QTransform>

namespace {

constexpr int dpi = 300;
constexpr int widthPx = 2480; // A4 at 300 dpi
constexpr int heightPx = 3508;

const char* const turkish =
    "Sözleşmenin imzalandığı günden itibaren kiracı, aylık ödemeyi her ayın beşinci günü "
    "yapmakla yükümlüdür. Çağrı merkezine ulaşmak için İstanbul şubesindeki görevliye "
    "başvurunuz. Işık, güneş ve ağaçların gölgesi bahçeyi çok güzelleştiriyordu. Öğretmen "
    "öğrencilerine şiir okudu; çocuklar sessizce dinledi. Fatura tutarı ödendiğinde "
    "makbuz düzenlenir ve müşteriye iletilir. Şirketimiz, kişisel verilerin korunması "
    "konusunda gerekli özeni gösterir. Ilık bir rüzgâr kıyıdaki ağaçları usulca sallıyordu.";

const char* const englishSpanish =
    "The tenant shall pay the monthly rent on the fifth day of each month. Receipts are "
    "issued when the invoice has been paid in full. Please keep this letter for your "
    "records. El niño pequeño comió mañana en el jardín de su abuela. La señora pidió "
    "información sobre el contrato de arrendamiento. Según el artículo décimo, el "
    "inquilino pagará la renta antes del día cinco. ¿Dónde está la oficina más cercana? "
    "Año tras año, el equipo técnico revisó los acuerdos con atención.";

struct Word {
    QString text;
    QRectF box; // in pixels
};

// Lays the sentence out in lines within the margins and draws it; the words' ink boxes.
QList<Word> drawText(QPainter& painter, const QString& text)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(50); // 12 pt at 300 dpi
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font);
    const int margin = 250;
    const int lineHeight = metrics.lineSpacing() + 20;
    int x = margin;
    int y = margin + metrics.ascent();
    QList<Word> words;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const int advance = metrics.horizontalAdvance(word);
        if (x + advance > widthPx - margin) {
            x = margin;
            y += lineHeight;
        }
        painter.drawText(x, y, word);
        words.append({word, QRectF(x, y - metrics.ascent(), advance, metrics.height())});
        x += advance + metrics.horizontalAdvance(u' ');
    }
    return words;
}

QImage blankPage()
{
    QImage image(widthPx, heightPx, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    return image;
}

// Scanner wear: a slight skew, speckle noise and JPEG loss.
QImage worn(const QImage& clean)
{
    QImage skewed = blankPage();
    {
        QPainter painter(&skewed);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(widthPx / 2.0, heightPx / 2.0);
        painter.rotate(0.6);
        painter.translate(-widthPx / 2.0, -heightPx / 2.0);
        painter.drawImage(0, 0, clean);
    }
    QRandomGenerator random(27);
    for (int i = 0; i < 40000; ++i) {
        const int px = random.bounded(widthPx);
        const int py = random.bounded(heightPx);
        skewed.setPixel(px, py, random.bounded(2) ? qRgb(0, 0, 0) : qRgb(160, 160, 160));
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    skewed.save(&buffer, "JPG", 40);
    return QImage::fromData(jpeg, "JPG").convertToFormat(QImage::Format_Grayscale8);
}

struct Page {
    QImage image; // null: a page of real text
    QList<Word> words;
    bool boxesMeaningful = true;
};

Page scanned(const QString& text)
{
    Page page{blankPage(), {}};
    QPainter painter(&page.image);
    page.words = drawText(painter, text);
    return page;
}

} // namespace

bool TestPages::write(const QString& pdfPath, const QString& wordsPath)
{
    QList<Page> pages;
    pages.append(scanned(QString::fromUtf8(turkish)));
    pages.append(scanned(QString::fromUtf8(englishSpanish)));
    Page wornPage = scanned(QString::fromUtf8(turkish));
    wornPage.image = worn(wornPage.image);
    wornPage.boxesMeaningful = false; // the skew moves the words a few pixels
    pages.append(wornPage);
    Page upsideDown = scanned(QString::fromUtf8(englishSpanish));
    upsideDown.image = upsideDown.image.transformed(QTransform().rotate(180));
    upsideDown.boxesMeaningful = false;
    pages.append(upsideDown);
    pages.append(Page{QImage(), {{QStringLiteral("Searchable"), {}}}, false});
    // A full page, about as many words as a dense letter, for the time a page takes.
    QString dense;
    for (int i = 0; i < 3; ++i) {
        dense += QString::fromUtf8(turkish) + u' ' + QString::fromUtf8(englishSpanish) + u' ';
    }
    pages.append(scanned(dense));

    QPdfWriter writer(pdfPath);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());
    writer.setResolution(dpi);
    QPainter painter(&writer);
    QFile wordsFile(wordsPath);
    if (!painter.isActive() || !wordsFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    QTextStream out(&wordsFile);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            writer.newPage();
        }
        const Page& page = pages[i];
        if (page.image.isNull()) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(50);
            painter.setFont(font);
            painter.drawText(250, 300, QStringLiteral("Searchable text already on this page"));
        } else {
            painter.drawImage(QRect(0, 0, widthPx, heightPx), page.image);
        }
        for (const Word& word : page.words) {
            const double k = 72.0 / dpi;
            out << (i + 1) << '\t' << word.text << '\t' << int(page.boxesMeaningful) << '\t'
                << word.box.left() * k << '\t' << word.box.top() * k << '\t' << word.box.right() * k
                << '\t' << word.box.bottom() * k << '\n';
        }
    }
    return true;
}
