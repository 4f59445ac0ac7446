#include "engine/document/Operations.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <limits>
#include <optional>

namespace PDFEngine {

namespace {

QString nothingToRead()
{
    return QCoreApplication::translate("PDFEngine", "Aralık yaz. Örnek: 1-3, 5, 8-12");
}

QString unreadable(const QString& piece)
{
    return QCoreApplication::translate("PDFEngine", "“%1” anlaşılmadı. Örnek: 1-3, 5, 8-12")
        .arg(piece);
}

// Tab and the Unicode space separators; newlines are piece separators already.
bool isBlank(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

QString trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

// A decimal integer with an optional leading "+", ASCII digits only, within 64 bits.
std::optional<qint64> integer(const QString& part)
{
    qsizetype i = part.startsWith(u'+') ? 1 : 0;
    if (i == part.size()) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (; i < part.size(); ++i) {
        const char16_t c = part[i].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        const int digit = c - u'0';
        if (value > (std::numeric_limits<qint64>::max() - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

struct Bounds {
    qint64 first = 0;
    qint64 last = 0;
};

std::optional<Bounds> readPiece(const QString& piece, qint64 pageCount)
{
    QStringList parts = piece.split(u'-');
    for (QString& part : parts) {
        part = trimmed(part);
    }
    if (parts.size() > 2 || parts.first().isEmpty()) {
        return std::nullopt;
    }
    const std::optional<qint64> first = integer(parts.first());
    if (!first) {
        return std::nullopt;
    }
    if (parts.size() == 1) {
        return Bounds{*first, *first};
    }
    if (parts.last().isEmpty()) {
        return Bounds{*first, pageCount};
    }
    const std::optional<qint64> last = integer(parts.last());
    if (!last) {
        return std::nullopt;
    }
    return Bounds{*first, *last};
}

QStringList pieces(QString text)
{
    text.replace(QChar(0x2013), u'-');
    text.replace(u';', u',');
    static const QRegularExpression separators(
        QStringLiteral("\\r\\n|[,\\n\\x{000B}\\x{000C}\\r\\x{0085}\\x{2028}\\x{2029}]"));
    QStringList result;
    for (const QString& raw : text.split(separators, Qt::SkipEmptyParts)) {
        const QString piece = trimmed(raw);
        if (!piece.isEmpty()) {
            result.append(piece);
        }
    }
    return result;
}

} // namespace

QString pageOutside(qint64 pageCount, const QString& piece)
{
    return QCoreApplication::translate("PDFEngine", "Bu PDF %1 sayfa. “%2” bunun dışında kalıyor.")
        .arg(pageCount)
        .arg(piece);
}

Grouping chunks(qint64 pageCount, qint64 every)
{
    const qint64 step = every >= 2 ? every : 1;
    Grouping groups;
    for (qint64 start = 0; start < pageCount; start += step) {
        PageGroup group;
        for (qint64 index = start; index < std::min(start + step, pageCount); ++index) {
            group.append(static_cast<int>(index));
        }
        groups.append(group);
    }
    return groups;
}

Grouping parseRanges(const QString& text, qint64 pageCount)
{
    const QStringList all = pieces(text);
    if (all.isEmpty()) {
        throw Failure(nothingToRead());
    }
    Grouping groups;
    for (const QString& piece : all) {
        const std::optional<Bounds> bounds = readPiece(piece, pageCount);
        if (!bounds || bounds->first < 1 || bounds->last < bounds->first) {
            throw Failure(unreadable(piece));
        }
        if (bounds->last > pageCount) {
            throw Failure(pageOutside(pageCount, piece));
        }
        PageGroup group;
        for (qint64 number = bounds->first; number <= bounds->last; ++number) {
            group.append(static_cast<int>(number - 1));
        }
        groups.append(group);
    }
    return groups;
}

Grouping groups(const SplitRule& rule, qint64 pageCount)
{
    switch (rule.mode) {
    case SplitMode::each: return chunks(pageCount, 1);
    case SplitMode::every: return chunks(pageCount, rule.every);
    case SplitMode::ranges: return parseRanges(rule.ranges, pageCount);
    }
    return {};
}

SplitPlan splitPlan(const SplitRule& rule, qint64 pageCount)
{
    try {
        return SplitPlan{groups(rule, pageCount), {}};
    } catch (const Failure& failure) {
        return SplitPlan{{}, failure.message()};
    }
}

} // namespace PDFEngine
