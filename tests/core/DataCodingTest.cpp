#include "AppDataPrinting.h"

#include "DataCoding.h"

#include <QJsonDocument>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

namespace {

const QUuid drawnID = QUuid::fromString(QStringLiteral("3f2504e0-4f89-41d3-9a0c-0305e82c3301"));
const QUuid scanID = QUuid::fromString(QStringLiteral("0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d"));
const QUuid runID = QUuid::fromString(QStringLiteral("9b2c3a8e-1d4f-4c6a-b7e8-f0a1b2c3d4e5"));

QDateTime utc(int hour, int minute, int second, int msec = 0)
{
    return QDateTime(QDate(2025, 3, 14), QTime(hour, minute, second, msec), Qt::UTC);
}

SavedSignature drawnSignature()
{
    SavedSignature s;
    s.id = drawnID;
    s.name = QStringLiteral("Ada / imza");
    s.strokes = QList<Stroke>{{QPointF(0.1, 0.52), QPointF(0.12, 0.5)}, {QPointF(0.4, 0.3)}};
    s.weight = 0.04;
    s.ink = InkColor::blue;
    s.aspect = 2.5;
    return s;
}

SavedSignature scannedSignature()
{
    SavedSignature s;
    s.id = scanID;
    s.name = QStringLiteral("Scan");
    s.imageFile = QStringLiteral("0A1B2C3D.png");
    s.aspect = 3;
    return s;
}

HistoryItem mergeRun()
{
    HistoryItem h;
    h.id = runID;
    h.date = utc(9, 26, 53);
    h.tool = QStringLiteral("merge");
    h.inputs = {QStringLiteral("a.pdf"), QStringLiteral("b.pdf")};
    h.outputs = {QStringLiteral("/tmp/out/merged.pdf")};
    h.bytesBefore = 1200;
    h.bytesAfter = 900;
    return h;
}

AppData fullData()
{
    AppData data;
    data.signatures = {drawnSignature(), scannedSignature()};
    data.history = {mergeRun()};
    return data;
}

const QByteArray fullText =
    R"({"history":[{"bytesAfter":900,"bytesBefore":1200,"date":"2025-03-14T09:26:53Z",)"
    R"("id":"9B2C3A8E-1D4F-4C6A-B7E8-F0A1B2C3D4E5","inputs":["a.pdf","b.pdf"],)"
    R"("outputs":["\/tmp\/out\/merged.pdf"],"tool":"merge"}],)"
    R"("signatures":[{"aspect":2.5,"id":"3F2504E0-4F89-41D3-9A0C-0305E82C3301","ink":"blue",)"
    R"("name":"Ada \/ imza","strokes":[[[0.1,0.52],[0.12,0.5]],[[0.4,0.3]]],"weight":0.04},)"
    R"({"aspect":3,"id":"0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D","imageFile":"0A1B2C3D.png",)"
    R"("name":"Scan"}],"version":1})";

// A hand-written file in another key order, with a slash escaped as the writer does.
const QByteArray baseText =
    R"({"version":1,"signatures":[)"
    R"({"id":"3F2504E0-4F89-41D3-9A0C-0305E82C3301","name":"Ada \/ imza",)"
    R"("strokes":[[[0.1,0.52],[0.12,0.5]],[[0.4,0.3]]],"weight":0.04,"ink":"blue","aspect":2.5},)"
    R"({"id":"0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D","name":"Scan","imageFile":"0A1B2C3D.png",)"
    R"("aspect":3}],"history":[)"
    R"({"id":"9B2C3A8E-1D4F-4C6A-B7E8-F0A1B2C3D4E5","date":"2025-03-14T09:26:53Z","tool":"merge",)"
    R"("inputs":["a.pdf","b.pdf"],"outputs":["\/tmp\/out\/merged.pdf"],)"
    R"("bytesBefore":1200,"bytesAfter":900}]})";

// baseText with one piece replaced; the piece must be there, or the row would test nothing.
QByteArray edited(const char* from, const char* to)
{
    if (!baseText.contains(from)) {
        qFatal("test input does not contain %s", from);
    }
    return QByteArray(baseText).replace(from, to);
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

// The data file's JSON form, byte for byte, and what the reader accepts and refuses.
class DataCodingTest : public QObject {
    Q_OBJECT

private slots:
    void encodesSortedCompactText() { QCOMPARE(DataCoding::encode(fullData()), fullText); }

    void encodesInitialData()
    {
        QCOMPARE(DataCoding::encode(AppData{}),
                 QByteArray(R"({"history":[],"signatures":[],"version":1})"));
    }

    void writesDatesInUtcWithWholeSeconds_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("utc") << utc(9, 26, 53) << QByteArray("2025-03-14T09:26:53Z");
        QTest::newRow("milliseconds truncated, not rounded")
            << utc(9, 26, 53, 999) << QByteArray("2025-03-14T09:26:53Z");
        QTest::newRow("offset turned into utc")
            << QDateTime(QDate(2025, 3, 14), QTime(12, 26, 53), Qt::OffsetFromUTC, 3 * 3600)
            << QByteArray("2025-03-14T09:26:53Z");
        QTest::newRow("across midnight")
            << QDateTime(QDate(2025, 3, 15), QTime(1, 0, 0), Qt::OffsetFromUTC, 2 * 3600)
            << QByteArray("2025-03-14T23:00:00Z");
    }

    void writesDatesInUtcWithWholeSeconds()
    {
        QFETCH(QDateTime, date);
        QFETCH(QByteArray, written);
        AppData data;
        HistoryItem run = mergeRun();
        run.date = date;
        data.history = {run};
        const QByteArray text = DataCoding::encode(data);
        QVERIFY2(text.contains("\"date\":\"" + written + "\""), text.constData());
    }

    void writesShortestDoubles_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("0.04") << 0.04 << QByteArray("0.04");
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << QByteArray("0.30000000000000004");
        QTest::newRow("one third") << 1.0 / 3.0 << QByteArray("0.3333333333333333");
        QTest::newRow("whole") << 2.0 << QByteArray("2");
        QTest::newRow("negative") << -0.125 << QByteArray("-0.125");
    }

    void writesShortestDoubles()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, written);
        SavedSignature s = drawnSignature();
        s.weight = value;
        const QByteArray text = DataCoding::encodeSignature(s);
        QVERIFY2(text.contains("\"weight\":" + written + "}"), text.constData());
        const auto back = DataCoding::decodeSignature(text);
        QVERIFY(back);
        QVERIFY(sameBits(*back->weight, value));
    }

    void doublesReadBackExactly_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min();
        QTest::newRow("largest") << std::numeric_limits<double>::max();
        QTest::newRow("tiny") << 1e-7;
        QTest::newRow("pi") << std::numbers::pi;
        QTest::newRow("awkward") << 0.7000000000000001;
    }

    void doublesReadBackExactly()
    {
        QFETCH(double, value);
        SavedSignature s = scannedSignature();
        s.aspect = value;
        const auto back = DataCoding::decodeSignature(DataCoding::encodeSignature(s));
        QVERIFY(back);
        QVERIFY2(sameBits(back->aspect, value), QByteArray::number(back->aspect, 'g', 17));
    }

    void largeIntegersReadBackExactly()
    {
        AppData data;
        HistoryItem run = mergeRun();
        run.bytesBefore = 9007199254740993; // 2^53 + 1: not representable as a double
        run.bytesAfter = std::numeric_limits<qint64>::max();
        data.history = {run};
        const auto back = DataCoding::decode(DataCoding::encode(data));
        QVERIFY(back);
        QCOMPARE(back->history.at(0).bytesBefore, 9007199254740993);
        QCOMPARE(back->history.at(0).bytesAfter, std::numeric_limits<qint64>::max());
    }

    void roundTrips()
    {
        const AppData data = fullData();
        const auto back = DataCoding::decode(DataCoding::encode(data));
        QVERIFY(back);
        QCOMPARE(*back, data);
        QCOMPARE(back->signatures.at(1).weight, std::nullopt);
        QCOMPARE(back->signatures.at(1).ink, std::nullopt);
        QCOMPARE(back->signatures.at(0).imageFile, std::nullopt);
    }

    void keepsNonAsciiText()
    {
        AppData data;
        SavedSignature s = scannedSignature();
        s.name = QStringLiteral("Çağrı \"Ş\" \\ Öz\n");
        data.signatures = {s};
        const auto back = DataCoding::decode(DataCoding::encode(data));
        QVERIFY(back);
        QCOMPARE(back->signatures.at(0).name, s.name);
    }

    void refusesValuesWithoutJsonForm_data()
    {
        QTest::addColumn<AppData>("data");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        AppData badAspect = fullData();
        badAspect.signatures[1].aspect = nan;
        AppData badWeight = fullData();
        badWeight.signatures[0].weight = inf;
        AppData badPoint = fullData();
        (*badPoint.signatures[0].strokes)[1][0].setY(-inf);
        AppData badDate = fullData();
        badDate.history[0].date = QDateTime();
        QTest::newRow("nan aspect") << badAspect;
        QTest::newRow("infinite weight") << badWeight;
        QTest::newRow("infinite point") << badPoint;
        QTest::newRow("invalid date") << badDate;
        AppData farFuture = fullData();
        farFuture.history[0].date = QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::UTC);
        QTest::newRow("year 10000") << farFuture;
        AppData beforeYearOne = fullData();
        beforeYearOne.history[0].date = QDateTime(QDate(-1, 12, 31), QTime(0, 0), Qt::UTC);
        QTest::newRow("year before 1") << beforeYearOne;
    }

    // A value JSON cannot hold would be written as null and make the whole file
    // unreadable next time; writing nothing keeps the last good file instead.
    void refusesValuesWithoutJsonForm()
    {
        QFETCH(AppData, data);
        QVERIFY(DataCoding::encode(data).isEmpty());
    }

    void readsAcceptedForms_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<AppData>("expected");
        const AppData full = fullData();
        AppData nullOptionals = full;
        nullOptionals.signatures[0].weight.reset();
        nullOptionals.signatures[0].ink.reset();
        AppData version7 = full;
        version7.version = 7;
        AppData noStrokes = full;
        noStrokes.signatures[0].strokes.reset();

        QTest::newRow("as written") << fullText << full;
        QTest::newRow("other key order") << baseText << full;
        QTest::newRow("indented") << QJsonDocument::fromJson(baseText).toJson(
                                         QJsonDocument::Indented)
                                  << full;
        QTest::newRow("null optionals") << edited(R"("weight":0.04,"ink":"blue")",
                                                  R"("weight":null,"ink":null,"imageFile":null)")
                                        << nullOptionals;
        QTest::newRow("null strokes")
            << edited(R"("strokes":[[[0.1,0.52],[0.12,0.5]],[[0.4,0.3]]])", R"("strokes":null)")
            << noStrokes;
        QTest::newRow("lower-case uuid") << edited("3F2504E0-4F89-41D3-9A0C-0305E82C3301",
                                                   "3f2504e0-4f89-41d3-9a0c-0305e82c3301")
                                         << full;
        QTest::newRow("offset +03:00")
            << edited("2025-03-14T09:26:53Z", "2025-03-14T12:26:53+03:00") << full;
        QTest::newRow("offset -05:30")
            << edited("2025-03-14T09:26:53Z", "2025-03-14T03:56:53-05:30") << full;
        QTest::newRow("unknown keys everywhere")
            << edited(R"({"version":1,)", R"({"extra":{"a":[1]},"version":1,)")
                   .replace(R"("tool":"merge")", R"("tool":"merge","colour":"red")")
                   .replace(R"("aspect":3)", R"("aspect":3,"pressure":[0.5])")
            << full;
        QTest::newRow("unescaped slashes")
            << edited(R"("\/tmp\/out\/merged.pdf")", R"("/tmp/out/merged.pdf")") << full;
        QTest::newRow("whole number with a fraction part")
            << edited(R"("bytesAfter":900)", R"("bytesAfter":900.0)") << full;
        QTest::newRow("version carried over")
            << edited(R"("version":1)", R"("version":7)") << version7;
        QTest::newRow("empty lists")
            << QByteArray(R"({"history":[],"signatures":[],"version":1})") << AppData{};
    }

    void readsAcceptedForms()
    {
        QFETCH(QByteArray, text);
        QFETCH(AppData, expected);
        const auto data = DataCoding::decode(text);
        QVERIFY2(data, text.constData());
        QCOMPARE(*data, expected);
    }

    void refusesUnreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("malformed json") << QByteArray(R"({"version":1,)");
        QTest::newRow("trailing garbage") << baseText + "x";
        QTest::newRow("root is a list") << QByteArray("[]");
        QTest::newRow("empty object") << QByteArray("{}");
        QTest::newRow("missing version") << edited(R"("version":1,)", "");
        QTest::newRow("missing history") << edited(R"(,"history":[)", R"(,"past":[)");
        QTest::newRow("version as string") << edited(R"("version":1)", R"("version":"1")");
        QTest::newRow("version not integral") << edited(R"("version":1)", R"("version":1.5)");
        QTest::newRow("signatures not a list")
            << QByteArray(R"({"history":[],"signatures":{},"version":1})");
        QTest::newRow("signature not an object")
            << QByteArray(R"({"history":[],"signatures":["Ada"],"version":1})");
        QTest::newRow("bytes not integral")
            << edited(R"("bytesBefore":1200)", R"("bytesBefore":1200.5)");
        QTest::newRow("bytes as string")
            << edited(R"("bytesBefore":1200)", R"("bytesBefore":"1200")");
        QTest::newRow("bytes out of range")
            << edited(R"("bytesBefore":1200)", R"("bytesBefore":1e30)");
        QTest::newRow("missing bytesAfter") << edited(R"(,"bytesAfter":900)", "");
        QTest::newRow("missing tool") << edited(R"("tool":"merge",)", "");
        QTest::newRow("tool as number") << edited(R"("tool":"merge")", R"("tool":3)");
        QTest::newRow("input not a string") << edited(R"(["a.pdf","b.pdf"])", R"(["a.pdf",2])");
        QTest::newRow("outputs null") << edited(R"(["\/tmp\/out\/merged.pdf"])", "null");
        QTest::newRow("fractional seconds")
            << edited("2025-03-14T09:26:53Z", "2025-03-14T09:26:53.120Z");
        QTest::newRow("no zone") << edited("2025-03-14T09:26:53Z", "2025-03-14T09:26:53");
        QTest::newRow("date only") << edited("2025-03-14T09:26:53Z", "2025-03-14");
        QTest::newRow("no seconds") << edited("2025-03-14T09:26:53Z", "2025-03-14T09:26Z");
        QTest::newRow("compact offset")
            << edited("2025-03-14T09:26:53Z", "2025-03-14T12:26:53+0300");
        QTest::newRow("impossible month") << edited("2025-03-14T09:26:53Z", "2025-13-14T09:26:53Z");
        QTest::newRow("impossible hour") << edited("2025-03-14T09:26:53Z", "2025-03-14T24:26:53Z");
        QTest::newRow("date as number") << edited(R"("2025-03-14T09:26:53Z")", "763644413");
        QTest::newRow("uuid in braces") << edited(R"("9B2C3A8E-1D4F-4C6A-B7E8-F0A1B2C3D4E5")",
                                                  R"("{9B2C3A8E-1D4F-4C6A-B7E8-F0A1B2C3D4E5}")");
        QTest::newRow("uuid without hyphens")
            << edited("9B2C3A8E-1D4F-4C6A-B7E8-F0A1B2C3D4E5", "9B2C3A8E1D4F4C6AB7E8F0A1B2C3D4E5");
        QTest::newRow("uuid not hex") << edited("9B2C3A8E-1D4F-4C6A-B7E8-F0A1B2C3D4E5",
                                                "9B2C3A8E-1D4F-4C6A-B7E8-F0A1B2C3D4EG");
        QTest::newRow("missing signature id")
            << edited(R"("id":"3F2504E0-4F89-41D3-9A0C-0305E82C3301",)", "");
        QTest::newRow("missing aspect") << edited(R"(,"aspect":3)", "");
        QTest::newRow("aspect as string") << edited(R"("aspect":3)", R"("aspect":"3")");
        QTest::newRow("unknown ink") << edited(R"("ink":"blue")", R"("ink":"red")");
        QTest::newRow("ink in other case") << edited(R"("ink":"blue")", R"("ink":"Blue")");
        QTest::newRow("weight as string") << edited(R"("weight":0.04)", R"("weight":"0.04")");
        QTest::newRow("image file as number")
            << edited(R"("imageFile":"0A1B2C3D.png")", R"("imageFile":7)");
        QTest::newRow("point with one number") << edited("[0.4,0.3]", "[0.4]");
        QTest::newRow("point with three numbers") << edited("[0.4,0.3]", "[0.4,0.3,0.2]");
        QTest::newRow("point as object") << edited("[0.4,0.3]", R"({"x":0.4,"y":0.3})");
        QTest::newRow("stroke not a list") << edited("[[0.4,0.3]]", "0.4");
    }

    void refusesUnreadableFiles()
    {
        QFETCH(QByteArray, text);
        const auto data = DataCoding::decode(text);
        QVERIFY2(!data, text.constData());
    }

    void signatureAloneRoundTrips()
    {
        const QByteArray text = DataCoding::encodeSignature(drawnSignature());
        QCOMPARE(text, QByteArray(R"({"aspect":2.5,"id":"3F2504E0-4F89-41D3-9A0C-0305E82C3301",)"
                                  R"("ink":"blue","name":"Ada \/ imza",)"
                                  R"("strokes":[[[0.1,0.52],[0.12,0.5]],[[0.4,0.3]]],)"
                                  R"("weight":0.04})"));
        const auto back = DataCoding::decodeSignature(text);
        QVERIFY(back);
        QCOMPARE(*back, drawnSignature());
    }

    void signatureAloneRefusesIncompleteRecords_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("malformed") << QByteArray(R"({"aspect":2)");
        QTest::newRow("list") << QByteArray(R"([{"aspect":2}])");
        QTest::newRow("missing name")
            << QByteArray(R"({"aspect":2,"id":"3F2504E0-4F89-41D3-9A0C-0305E82C3301"})");
        QTest::newRow("unknown ink") << QByteArray(
            R"({"aspect":2,"id":"3F2504E0-4F89-41D3-9A0C-0305E82C3301","name":"A","ink":"red"})");
    }

    void signatureAloneRefusesIncompleteRecords()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!DataCoding::decodeSignature(text));
    }
};

QTEST_GUILESS_MAIN(DataCodingTest)
#include "DataCodingTest.moc"
