#include "app/snapshot/DemoDocuments.h"

#include <QDir>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace Snapshot {

namespace {

constexpr qreal pageWidth = 595;
constexpr qreal pageHeight = 842;
constexpr qreal marginX = 64;
constexpr qreal bottom = pageHeight - 72;
constexpr qreal lineGap = 15;
constexpr qreal barHeight = 6.5;

QFont titleFont(qreal points, QFont::Weight weight)
{
    QFont font;
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

// One paragraph of grey bars from `top`; returns where the next block may start.
qreal drawParagraph(QPainter& painter, DemoRandom& random, qreal top)
{
    const qreal width = pageWidth - 2 * marginX;
    const int lines = 2 + static_cast<int>(random.next() * 6);
    qreal y = top;
    painter.setBrush(QColor(0, 0, 0, 40));
    for (int line = 0; line < lines && y + barHeight <= bottom; ++line) {
        const bool last = line == lines - 1;
        const qreal length = last ? width * (0.25 + 0.55 * random.next())
                                  : width * (0.86 + 0.14 * random.next());
        painter.drawRoundedRect(QRectF(marginX, y, length, barHeight), 2, 2);
        y += lineGap;
    }
    return y + 12;
}

// A light-blue box standing in for a table or a figure.
qreal drawBox(QPainter& painter, DemoRandom& random, qreal top)
{
    const qreal width = pageWidth - 2 * marginX;
    const qreal height = qMin(60 + 90 * random.next(), bottom - top);
    painter.setBrush(QColor(66, 133, 244, 34));
    painter.drawRoundedRect(QRectF(marginX, top, width * (0.6 + 0.4 * random.next()), height), 4,
                            4);
    return top + height + 18;
}

void drawPage(QPainter& painter, DemoRandom& random, const QString& title, int index)
{
    qreal top = 0;
    if (index == 0) {
        painter.setPen(QColor(0x1d, 0x1d, 0x1f));
        painter.setFont(titleFont(26, QFont::Bold));
        painter.drawText(QPointF(marginX, pageHeight - 770), title);
        top = pageHeight - 770 + 34;
    } else {
        painter.setPen(QColor(128, 128, 128));
        painter.setFont(titleFont(11, QFont::Medium));
        painter.drawText(QPointF(marginX, pageHeight - 800), title);
        top = pageHeight - 800 + 26;
    }
    painter.setPen(Qt::NoPen);
    while (top < bottom - 30) {
        top = random.next() < 0.16 ? drawBox(painter, random, top)
                                   : drawParagraph(painter, random, top);
    }
}

} // namespace

DemoRandom::DemoRandom(quint64 seed) : m_state(seed * 2654435761ULL) {}

double DemoRandom::next()
{
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(m_state >> 40) / static_cast<double>(1ULL << 24);
}

QString writeDemoDocument(const QString& folder, const DemoDocument& document)
{
    const QString path = QDir(folder).filePath(document.title + QStringLiteral(".pdf"));
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(pageWidth, pageHeight), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Leaflow"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return {};
    }
    painter.setRenderHint(QPainter::Antialiasing);
    DemoRandom random(document.seed);
    for (int page = 0; page < document.pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        drawPage(painter, random, document.title, page);
    }
    return painter.end() ? path : QString();
}

} // namespace Snapshot
