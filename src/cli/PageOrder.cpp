#include "cli/PageOrder.h"

#include "engine/include/PDFEngine.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <numeric>

namespace PageOrder {

namespace {

using Numbers = std::variant<QList<int>, QString>;

// Zero-based pages of text, read as a split's ranges are, with one addition: a piece "b-a"
// with b above a runs downwards. Pieces are read one at a time so that a downward one can be
// read upwards and turned round.
Numbers numbers(const QString& text, qint64 pageCount)
{
    static const QRegularExpression downward(
        QStringLiteral("^\\s*\\+?([0-9]{1,9})\\s*[-\\x{2013}]\\s*\\+?([0-9]{1,9})\\s*$"));
    QList<int> result;
    static const QRegularExpression separator(
        QStringLiteral("[,;\\n\\r\\x{000B}\\x{000C}\\x{0085}\\x{2028}\\x{2029}]"));
    for (const QString& piece : text.split(separator)) {
        if (piece.trimmed().isEmpty()) {
            continue;
        }
        const QRegularExpressionMatch match = downward.match(piece);
        const bool down = match.hasMatch() && match.captured(1).toInt() > match.captured(2).toInt();
        const QString upward = down ? match.captured(2) + u'-' + match.captured(1) : piece;
        const SplitPlan plan = PDFEngine::splitPlan({SplitMode::ranges, 0, upward}, pageCount);
        if (!plan.error.isEmpty()) {
            return down ? QString(plan.error).replace(upward, piece.trimmed()) : plan.error;
        }
        for (PageGroup group : plan.groups) {
            if (down) {
                std::reverse(group.begin(), group.end());
            }
            result.append(group);
        }
    }
    if (result.isEmpty()) { // nothing but separators: the split's own message for it
        return PDFEngine::splitPlan({SplitMode::ranges, 0, text}, pageCount).error;
    }
    return result;
}

} // namespace

std::variant<QList<PDFEngine::OrganizedPage>, QString> pages(const CommandLine::Organize& organize,
                                                             qint64 pageCount)
{
    QList<int> all(static_cast<qsizetype>(pageCount));
    std::iota(all.begin(), all.end(), 0);
    const Numbers order = organize.order ? numbers(*organize.order, pageCount) : Numbers(all);
    if (const auto* error = std::get_if<QString>(&order)) {
        return *error;
    }
    QHash<int, int> turns;
    for (const CommandLine::Rotation& rotation : organize.rotations) {
        const Numbers named = rotation.ranges ? numbers(*rotation.ranges, pageCount) : Numbers(all);
        if (const auto* error = std::get_if<QString>(&named)) {
            return *error;
        }
        // A page named twice in one rotation turns once.
        const QList<int>& list = std::get<QList<int>>(named);
        for (const int page : QSet<int>(list.begin(), list.end())) {
            turns[page] = (turns.value(page) + rotation.quarterTurns + 4) % 4;
        }
    }
    QList<PDFEngine::OrganizedPage> result;
    for (const int page : std::get<QList<int>>(order)) {
        result.append(PDFEngine::OrganizedPage{0, page, turns.value(page)});
    }
    return result;
}

} // namespace PageOrder
