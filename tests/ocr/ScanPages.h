#pragma once

#include <QList>
#include <QRectF>
#include <QString>

// PDFs of scanned-looking pages made from known sentences: each page one picture of the text
// drawn at 300 dpi in grey, clean, worn (skewed, speckled, JPEG-damaged) or upside down.
namespace ScanPages {

enum class Look { clean, worn, upsideDown };

struct Word {
    QString text; // without the punctuation around it
    QRectF box;   // where it was drawn, in points from the page's top left
};

// Writes one page per text; each page's words.
QList<QList<Word>> write(const QString& path, const QList<std::pair<QString, Look>>& pages);

QString turkish();
QString englishSpanish();
// A word as a layer is compared with: its surrounding punctuation stripped.
QString bare(const QString& word);

} // namespace ScanPages
