#include "core/FittedName.h"

#include <QTextBoundaryFinder>

QString fittedName(const QString& stem, const QString& tail, int reserve)
{
    // File systems allow 255 bytes for a name; ".pdf" takes four of them.
    constexpr qsizetype limit = 255 - 4;
    const qsizetype budget = limit - tail.toUtf8().size() - reserve;
    if (stem.toUtf8().size() <= budget) {
        return stem + tail;
    }
    // Cut between user-perceived characters, never inside one.
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, stem);
    qsizetype cut = 0;
    for (qsizetype at = boundaries.toNextBoundary();
         at > 0 && stem.left(at).toUtf8().size() <= budget; at = boundaries.toNextBoundary()) {
        cut = at;
    }
    return stem.left(cut) + tail;
}
