#include "core/DataCoding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>
#include <cmath>
#include <utility>

namespace DataCoding {

namespace {

// ---------------------------------------------------------------- writing

std::optional<QDateTime> readDate(const QJsonValue& v);

// Builds the JSON tree; remembers when a value has no faithful JSON form
// (a non-finite number, an invalid date) so the caller writes nothing at all
// instead of a file that would not read back.
class Writer {
public:
    bool failed() const { return m_failed; }

    QJsonValue number(double value)
    {
        if (!std::isfinite(value)) {
            m_failed = true;
            return QJsonValue();
        }
        return value;
    }

    static QJsonValue uuid(const QUuid& id) { return id.toString(QUuid::WithoutBraces).toUpper(); }

    QJsonValue date(const QDateTime& date)
    {
        // Qt::ISODate leaves out the milliseconds, which truncates them. A year
        // outside 1 to 9999 has no such form, and is refused rather than written
        // in a form that would make the whole file unreadable.
        QString text = date.isValid() ? date.toUTC().toString(Qt::ISODate) : QString();
        if (!readDate(text)) {
            m_failed = true;
        }
        return text;
    }

    QJsonValue point(const QPointF& p) { return QJsonArray{number(p.x()), number(p.y())}; }

    QJsonValue strokes(const QList<Stroke>& strokes)
    {
        QJsonArray list;
        for (const Stroke& stroke : strokes) {
            QJsonArray points;
            for (const QPointF& p : stroke) {
                points.append(point(p));
            }
            list.append(points);
        }
        return list;
    }

    QJsonObject signature(const SavedSignature& s)
    {
        QJsonObject o;
        o.insert(QStringLiteral("id"), uuid(s.id));
        o.insert(QStringLiteral("name"), s.name);
        o.insert(QStringLiteral("aspect"), number(s.aspect));
        if (s.strokes) {
            o.insert(QStringLiteral("strokes"), strokes(*s.strokes));
        }
        if (s.weight) {
            o.insert(QStringLiteral("weight"), number(*s.weight));
        }
        if (s.ink) {
            o.insert(QStringLiteral("ink"), ToolOptions::rawValue(*s.ink));
        }
        if (s.imageFile) {
            o.insert(QStringLiteral("imageFile"), *s.imageFile);
        }
        return o;
    }

    QJsonObject historyItem(const HistoryItem& h)
    {
        QJsonObject o;
        o.insert(QStringLiteral("id"), uuid(h.id));
        o.insert(QStringLiteral("date"), date(h.date));
        o.insert(QStringLiteral("tool"), h.tool);
        o.insert(QStringLiteral("inputs"), QJsonArray::fromStringList(h.inputs));
        o.insert(QStringLiteral("outputs"), QJsonArray::fromStringList(h.outputs));
        o.insert(QStringLiteral("bytesBefore"), h.bytesBefore);
        o.insert(QStringLiteral("bytesAfter"), h.bytesAfter);
        return o;
    }

    QJsonObject appData(const AppData& data)
    {
        QJsonArray signatures;
        for (const SavedSignature& s : data.signatures) {
            signatures.append(signature(s));
        }
        QJsonArray history;
        for (const HistoryItem& h : data.history) {
            history.append(historyItem(h));
        }
        QJsonObject o;
        o.insert(QStringLiteral("version"), data.version);
        o.insert(QStringLiteral("signatures"), signatures);
        o.insert(QStringLiteral("history"), history);
        return o;
    }

private:
    bool m_failed = false;
};

// QJsonObject keeps its keys sorted, and in compact output a '/' can only
// stand inside a string, so escaping every slash afterwards is exact.
QByteArray serialise(const QJsonObject& object)
{
    QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);
    bytes.replace('/', "\\/");
    return bytes;
}

// ---------------------------------------------------------------- reading
// Every reader yields nothing when the value is missing or of another type.

std::optional<QString> readString(const QJsonValue& v)
{
    if (!v.isString()) {
        return std::nullopt;
    }
    return v.toString();
}

std::optional<double> readDouble(const QJsonValue& v)
{
    if (!v.isDouble()) {
        return std::nullopt;
    }
    return v.toDouble();
}

// A whole number that fits in 64 bits; 2.0 counts, 1.5 does not.
std::optional<qint64> readInteger(const QJsonValue& v)
{
    if (!v.isDouble()) {
        return std::nullopt;
    }
    const qint64 whole = v.toInteger();
    if (static_cast<double>(whole) != v.toDouble()) {
        return std::nullopt;
    }
    return whole;
}

std::optional<QUuid> readUuid(const QJsonValue& v)
{
    // QUuid alone would also take braces; only the bare 36-character form is ours.
    static const QRegularExpression form(QStringLiteral(
        "^[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}$"));
    const auto text = readString(v);
    if (!text || !form.match(*text).hasMatch()) {
        return std::nullopt;
    }
    return QUuid::fromString(*text);
}

// An internet date-time with whole seconds and a zone: Z or an offset such as +03:00.
std::optional<QDateTime> readDate(const QJsonValue& v)
{
    static const QRegularExpression form(QStringLiteral(
        "^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})(?:(Z)|([+-])(\\d{2}):(\\d{2}))$"));
    const auto text = readString(v);
    if (!text) {
        return std::nullopt;
    }
    const QRegularExpressionMatch m = form.match(*text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const auto part = [&m](int n) { return m.captured(n).toInt(); };
    const QDate day(part(1), part(2), part(3));
    const QTime time(part(4), part(5), part(6));
    if (!day.isValid() || !time.isValid()) {
        return std::nullopt;
    }
    int offsetSeconds = 0;
    if (!m.hasCaptured(7)) {
        if (part(9) > 23 || part(10) > 59) {
            return std::nullopt;
        }
        const int sign = m.captured(8) == QLatin1String("-") ? -1 : 1;
        offsetSeconds = sign * (part(9) * 3600 + part(10) * 60);
    }
    return QDateTime(day, time, Qt::UTC).addSecs(-offsetSeconds);
}

std::optional<QPointF> readPoint(const QJsonValue& v)
{
    const QJsonArray pair = v.toArray();
    if (!v.isArray() || pair.size() != 2) {
        return std::nullopt;
    }
    const auto x = readDouble(pair.at(0));
    const auto y = readDouble(pair.at(1));
    if (!x || !y) {
        return std::nullopt;
    }
    return QPointF(*x, *y);
}

std::optional<InkColor> readInk(const QJsonValue& v)
{
    const auto text = readString(v);
    return text ? ToolOptions::inkColorFromRawValue(*text) : std::nullopt;
}

template <typename Read>
auto readList(const QJsonValue& v, Read readOne)
    -> std::optional<QList<typename decltype(readOne(v))::value_type>>
{
    if (!v.isArray()) {
        return std::nullopt;
    }
    QList<typename decltype(readOne(v))::value_type> list;
    for (const QJsonValue element : v.toArray()) {
        auto item = readOne(element);
        if (!item) {
            return std::nullopt;
        }
        list.append(std::move(*item));
    }
    return list;
}

std::optional<QStringList> readStrings(const QJsonValue& v)
{
    return readList(v, readString);
}

std::optional<QList<Stroke>> readStrokes(const QJsonValue& v)
{
    return readList(v, [](const QJsonValue& stroke) { return readList(stroke, readPoint); });
}

// An optional field: a missing key or null is absent (an engaged outer value
// holding nothing); any other value must read, or the outer value is empty.
template <typename Read>
auto readOptional(const QJsonObject& o, const QString& key, Read read)
    -> std::optional<decltype(read(QJsonValue()))>
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull()) {
        return std::optional<decltype(read(v))>(std::in_place);
    }
    auto value = read(v);
    if (!value) {
        return std::nullopt;
    }
    return std::optional<decltype(read(v))>(std::in_place, std::move(value));
}

std::optional<SavedSignature> readSignature(const QJsonValue& v)
{
    if (!v.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = v.toObject();
    const auto id = readUuid(o.value(QStringLiteral("id")));
    const auto name = readString(o.value(QStringLiteral("name")));
    const auto aspect = readDouble(o.value(QStringLiteral("aspect")));
    const auto strokes = readOptional(o, QStringLiteral("strokes"), readStrokes);
    const auto weight = readOptional(o, QStringLiteral("weight"), readDouble);
    const auto ink = readOptional(o, QStringLiteral("ink"), readInk);
    const auto imageFile = readOptional(o, QStringLiteral("imageFile"), readString);
    if (!id || !name || !aspect || !strokes || !weight || !ink || !imageFile) {
        return std::nullopt;
    }
    return SavedSignature{*id, *name, *strokes, *weight, *ink, *imageFile, *aspect};
}

std::optional<HistoryItem> readHistoryItem(const QJsonValue& v)
{
    if (!v.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = v.toObject();
    const auto id = readUuid(o.value(QStringLiteral("id")));
    const auto date = readDate(o.value(QStringLiteral("date")));
    const auto tool = readString(o.value(QStringLiteral("tool")));
    const auto inputs = readStrings(o.value(QStringLiteral("inputs")));
    const auto outputs = readStrings(o.value(QStringLiteral("outputs")));
    const auto before = readInteger(o.value(QStringLiteral("bytesBefore")));
    const auto after = readInteger(o.value(QStringLiteral("bytesAfter")));
    if (!id || !date || !tool || !inputs || !outputs || !before || !after) {
        return std::nullopt;
    }
    return HistoryItem{*id, *date, *tool, *inputs, *outputs, *before, *after};
}

std::optional<AppData> readAppData(const QJsonValue& v)
{
    if (!v.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = v.toObject();
    const auto version = readInteger(o.value(QStringLiteral("version")));
    const auto signatures = readList(o.value(QStringLiteral("signatures")), readSignature);
    const auto history = readList(o.value(QStringLiteral("history")), readHistoryItem);
    if (!version || !signatures || !history) {
        return std::nullopt;
    }
    return AppData{*version, *signatures, *history};
}

// The document's root object; nothing for malformed JSON or a root that is not an object.
std::optional<QJsonObject> parseObject(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

} // namespace

QByteArray encode(const AppData& data)
{
    Writer writer;
    const QJsonObject object = writer.appData(data);
    return writer.failed() ? QByteArray() : serialise(object);
}

std::optional<AppData> decode(const QByteArray& bytes)
{
    const auto object = parseObject(bytes);
    return object ? readAppData(*object) : std::nullopt;
}

QByteArray encodeSignature(const SavedSignature& signature)
{
    Writer writer;
    const QJsonObject object = writer.signature(signature);
    return writer.failed() ? QByteArray() : serialise(object);
}

std::optional<SavedSignature> decodeSignature(const QByteArray& bytes)
{
    const auto object = parseObject(bytes);
    return object ? readSignature(*object) : std::nullopt;
}

} // namespace DataCoding
