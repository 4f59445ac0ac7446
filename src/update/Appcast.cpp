#include "update/Appcast.h"

#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>

namespace {

const QString sparkle = QString::fromLatin1(Appcast::sparkleNamespace);

// The leading digits of a segment; "3b" counts as 3, a segment without digits as 0.
quint64 segmentValue(const QString& segment)
{
    quint64 value = 0;
    for (QChar c : segment) {
        if (!c.isDigit() || value > (UINT64_MAX - 9) / 10) {
            break;
        }
        value = value * 10 + static_cast<quint64>(c.digitValue());
    }
    return value;
}

// Reads one <item>; fields may come as elements or, in older feeds, as enclosure attributes.
AppcastItem readItem(QXmlStreamReader& xml)
{
    AppcastItem item;
    while (xml.readNextStartElement()) {
        const bool ours = xml.namespaceUri() == sparkle;
        if (ours && xml.name() == QLatin1String("version")) {
            item.version = xml.readElementText().trimmed();
        } else if (ours && xml.name() == QLatin1String("shortVersionString")) {
            item.displayVersion = xml.readElementText().trimmed();
        } else if (xml.namespaceUri().isEmpty() && xml.name() == QLatin1String("enclosure")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            item.url = QUrl(attributes.value(QLatin1String("url")).toString().trimmed());
            item.length = attributes.value(QLatin1String("length")).toULongLong();
            item.signature = attributes.value(sparkle, QLatin1String("edSignature")).toString();
            if (item.version.isEmpty()) {
                item.version = attributes.value(sparkle, QLatin1String("version")).toString();
            }
            if (item.displayVersion.isEmpty()) {
                item.displayVersion =
                    attributes.value(sparkle, QLatin1String("shortVersionString")).toString();
            }
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (item.displayVersion.isEmpty()) {
        item.displayVersion = item.version;
    }
    return item;
}

} // namespace

namespace Appcast {

Parsed parse(const QByteArray& feed)
{
    Parsed parsed;
    QXmlStreamReader xml(feed);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("rss")) {
        parsed.error = QStringLiteral("not an RSS feed");
        return parsed;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("channel")) {
            xml.skipCurrentElement();
            continue;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("item")) {
                xml.skipCurrentElement();
                continue;
            }
            AppcastItem item = readItem(xml);
            if (!item.version.isEmpty() && item.url.isValid() && !item.url.isEmpty()) {
                parsed.items.append(item);
            }
        }
    }
    // Reading on to the end catches damage after the last item as well.
    while (!xml.atEnd()) {
        xml.readNext();
    }
    if (xml.hasError()) {
        parsed.items.clear();
        parsed.error = xml.errorString();
    }
    return parsed;
}

int compareVersions(const QString& a, const QString& b)
{
    const QStringList left = a.trimmed().split(QLatin1Char('.'));
    const QStringList right = b.trimmed().split(QLatin1Char('.'));
    for (qsizetype i = 0; i < std::max(left.size(), right.size()); ++i) {
        const quint64 x = i < left.size() ? segmentValue(left[i]) : 0;
        const quint64 y = i < right.size() ? segmentValue(right[i]) : 0;
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return 0;
}

std::optional<AppcastItem> newest(const QList<AppcastItem>& items, const QString& current)
{
    std::optional<AppcastItem> best;
    for (const AppcastItem& item : items) {
        if (compareVersions(item.version, current) > 0 &&
            (!best || compareVersions(item.version, best->version) > 0)) {
            best = item;
        }
    }
    return best;
}

QString itemXml(const AppcastItem& item)
{
    QString text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.writeNamespace(sparkle, QStringLiteral("sparkle"));
    xml.writeStartElement(QStringLiteral("item"));
    xml.writeTextElement(QStringLiteral("title"), QStringLiteral("Leaflow ") + item.displayVersion);
    xml.writeTextElement(sparkle, QStringLiteral("version"), item.version);
    xml.writeTextElement(sparkle, QStringLiteral("shortVersionString"), item.displayVersion);
    xml.writeEmptyElement(QStringLiteral("enclosure"));
    xml.writeAttribute(QStringLiteral("url"), item.url.toString(QUrl::FullyEncoded));
    xml.writeAttribute(QStringLiteral("length"), QString::number(item.length));
    xml.writeAttribute(QStringLiteral("type"),
                       QStringLiteral("application/vnd.debian.binary-package"));
    xml.writeAttribute(sparkle, QStringLiteral("edSignature"), item.signature);
    xml.writeEndElement();
    return text.trimmed();
}

} // namespace Appcast
