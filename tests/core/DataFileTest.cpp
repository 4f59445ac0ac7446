#include "core/DataFile.h"
#include "core/DataCoding.h"

#include "Fixtures.h"

#include <QDir>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <limits>

Q_DECLARE_METATYPE(std::optional<AppData>)

// Lets QCOMPARE show two AppData values as their data-file text when they differ.
inline char* toString(const AppData& data)
{
    return qstrdup(DataCoding::encode(data).constData());
}

namespace {

const qint64 clockSeconds = 1741944413; // 2025-03-14T09:26:53Z
const QString backupName = QStringLiteral("data-1741944413.bak.json");

QDateTime fixedClock()
{
    return QDateTime::fromSecsSinceEpoch(clockSeconds, Qt::UTC).addMSecs(750);
}

SavedSignature drawnSignature()
{
    return {QUuid::fromString(QStringLiteral("3f2504e0-4f89-41d3-9a0c-0305e82c3301")),
            QStringLiteral("Ada / imza"),
            QList<Stroke>{{QPointF(0.1, 0.52), QPointF(0.12, 0.5)}, {QPointF(0.4, 0.3)}},
            0.04,
            InkColor::blue,
            std::nullopt,
            2.5};
}

AppData fullData()
{
    const SavedSignature scanned{QUuid::fromString(
                                     QStringLiteral("0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d")),
                                 QStringLiteral("Scan"),
                                 std::nullopt,
                                 std::nullopt,
                                 std::nullopt,
                                 QStringLiteral("0A1B2C3D.png"),
                                 3};
    HistoryItem merge{QUuid::fromString(QStringLiteral("9b2c3a8e-1d4f-4c6a-b7e8-f0a1b2c3d4e5")),
                      QDateTime::fromSecsSinceEpoch(clockSeconds, Qt::UTC),
                      QStringLiteral("merge"),
                      {QStringLiteral("a.pdf"), QStringLiteral("b.pdf")},
                      {QStringLiteral("/tmp/out/merged.pdf")},
                      1200,
                      900};
    AppData data;
    data.signatures = {drawnSignature(), scanned};
    data.history = {merge};
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

// fullText with one piece replaced; the piece must be there, or the row would test nothing.
QByteArray edited(const char* from, const char* to)
{
    if (!fullText.contains(from)) {
        qFatal("test input does not contain %s", from);
    }
    return QByteArray(fullText).replace(from, to);
}

} // namespace

// The data file: its exact JSON, what is read or refused, backups, atomic saving and its causes.
class DataFileTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString folder() const { return m_dir->filePath(QStringLiteral("Leaflow")); }
    QString inFolder(const QString& name) const { return folder() + "/" + name; }
    DataFile dataFile() const { return DataFile(folder(), fixedClock); }

    void writeDataFile(const QByteArray& bytes) const
    {
        QDir().mkpath(folder());
        Fixtures::writeBytes(inFolder("data.json"), bytes);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void encodesSortedCompactText()
    {
        QCOMPARE(DataCoding::encode(fullData()), fullText);
        QCOMPARE(DataCoding::encode(AppData{}),
                 QByteArray(R"({"history":[],"signatures":[],"version":1})"));
        // Dates in UTC and whole seconds: milliseconds are truncated, not rounded.
        AppData data = fullData();
        data.history[0].date =
            QDateTime(QDate(2025, 3, 14), QTime(11, 26, 53, 999), Qt::OffsetFromUTC, 7200);
        QCOMPARE(DataCoding::encode(data), fullText);
    }

    // Doubles are written in their shortest form and read back to the same bits.
    void doublesRoundTripExactly()
    {
        const std::pair<double, QByteArray> values[] = {{0.1 + 0.2, "0.30000000000000004"},
                                                        {2.0, "2"},
                                                        {std::numeric_limits<double>::denorm_min(),
                                                         {}}};
        for (const auto& [value, written] : values) {
            SavedSignature s = drawnSignature();
            s.weight = value;
            const QByteArray text = DataCoding::encodeSignature(s);
            QVERIFY2(written.isEmpty() || text.contains("\"weight\":" + written + "}"),
                     text.constData());
            QCOMPARE(DataCoding::decodeSignature(text), std::optional(s));
        }
    }

    void roundTrips()
    {
        AppData data = fullData();
        data.signatures[1].name = QStringLiteral("Çağrı \"Ş\" \\ Öz\n");
        data.history[0].bytesBefore = 9007199254740993; // 2^53 + 1: not representable as a double
        data.history[0].bytesAfter = std::numeric_limits<qint64>::max();
        QCOMPARE(DataCoding::decode(DataCoding::encode(data)),
                 std::optional(data)); // absent optionals too
        QVERIFY(!DataCoding::decodeSignature(R"({"aspect":2,"name":"no id"})"));
    }

    void refusesValuesWithoutJsonForm_data()
    {
        QTest::addColumn<double>("aspect");
        QTest::addColumn<QDateTime>("date");
        const QDateTime date = fullData().history[0].date;
        QTest::newRow("nan aspect") << std::numeric_limits<double>::quiet_NaN() << date;
        QTest::newRow("invalid date") << 3.0 << QDateTime();
        QTest::newRow("year 10000") << 3.0 << QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::UTC);
    }

    // A value JSON cannot hold would make the file unreadable: the last good file stays.
    void refusesValuesWithoutJsonForm()
    {
        QFETCH(double, aspect);
        QFETCH(QDateTime, date);
        AppData data = fullData();
        data.signatures[1].aspect = aspect;
        data.history[0].date = date;
        QVERIFY(DataCoding::encode(data).isEmpty());
        QCOMPARE(dataFile().save(fullData()), DataFile::SaveResult::saved);
        QCOMPARE(dataFile().save(data), DataFile::SaveResult::unencodable);
        QCOMPARE(Fixtures::readBytes(inFolder("data.json")), fullText);
    }

    void readsOnlyWellFormedFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<std::optional<AppData>>("expected");
        const std::optional<AppData> full = fullData();
        std::optional<AppData> nullOptionals = full;
        nullOptionals->signatures[0].weight.reset();
        nullOptionals->signatures[0].ink.reset();
        nullOptionals->signatures[0].strokes.reset();
        std::optional<AppData> version7 = full;
        version7->version = 7;

        QTest::newRow("null optionals")
            << edited(R"("ink":"blue")", R"("ink":null,"imageFile":null)")
                   .replace(R"("weight":0.04)", R"("weight":null)")
                   .replace(R"("strokes":[[[0.1,0.52],[0.12,0.5]],[[0.4,0.3]]])",
                            R"("strokes":null)")
            << nullOptionals;
        QTest::newRow("lower-case uuid") << edited("3F2504E0-4F89-41D3-9A0C-0305E82C3301",
                                                   "3f2504e0-4f89-41d3-9a0c-0305e82c3301")
                                         << full;
        QTest::newRow("offset -05:30")
            << edited("2025-03-14T09:26:53Z", "2025-03-14T03:56:53-05:30") << full;
        QTest::newRow("unknown keys everywhere")
            << edited(R"({"history":[)", R"({"extra":{"a":[1]},"history":[)")
                   .replace(R"("aspect":3)", R"("aspect":3,"pressure":[0.5])")
            << full;
        QTest::newRow("whole number with a fraction part")
            << edited(R"("bytesAfter":900)", R"("bytesAfter":900.0)") << full;
        QTest::newRow("version carried over")
            << edited(R"("version":1)", R"("version":7)") << version7;
        const std::optional<AppData> refused;
        QTest::newRow("trailing garbage") << fullText + "x" << refused;
        QTest::newRow("missing version") << edited(R"(,"version":1)", "") << refused;
        QTest::newRow("bytes as string")
            << edited(R"("bytesBefore":1200)", R"("bytesBefore":"1200")") << refused;
        QTest::newRow("bytes out of range")
            << edited(R"("bytesBefore":1200)", R"("bytesBefore":1e30)") << refused;
        QTest::newRow("fractional seconds")
            << edited("2025-03-14T09:26:53Z", "2025-03-14T09:26:53.120Z") << refused;
        QTest::newRow("offset past 23 hours")
            << edited("2025-03-14T09:26:53Z", "2025-03-14T09:26:53+24:00") << refused;
        QTest::newRow("impossible hour")
            << edited("2025-03-14T09:26:53Z", "2025-03-14T24:26:53Z") << refused;
        QTest::newRow("uuid in braces") << edited(R"("9B2C3A8E-1D4F-4C6A-B7E8-F0A1B2C3D4E5")",
                                                  R"("{9B2C3A8E-1D4F-4C6A-B7E8-F0A1B2C3D4E5}")")
                                        << refused;
        QTest::newRow("ink in other case")
            << edited(R"("ink":"blue")", R"("ink":"Blue")") << refused;
        QTest::newRow("weight as string")
            << edited(R"("weight":0.04)", R"("weight":"0.04")") << refused;
        QTest::newRow("point with three numbers")
            << edited("[0.4,0.3]", "[0.4,0.3,0.2]") << refused;
    }

    void readsOnlyWellFormedFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(std::optional<AppData>, expected);
        QCOMPARE(DataCoding::decode(text), expected);
    }

    // Made on the first start, with the folders above it, and left empty.
    void standardFolderIsMadeInTheUsersDataFolder()
    {
        const QString standard = m_home.filePath(QStringLiteral("data/Leaflow"));
        QCOMPARE(DataFile::standardFolder(), standard);
        const DataFile file;
        QCOMPARE(file.folder(), standard);
        QVERIFY(QFileInfo(standard).isDir());
        QCOMPARE(file.load(), std::nullopt);
        QCOMPARE(file.restore(), AppData{});
        QCOMPARE(Fixtures::entries(standard), QStringList());
    }

    // The user's data is private from start-up on; a link inside is left, as its target isn't ours.
    void dataFolderIsPrivate()
    {
        // Owner, group and others; Qt's "user" bits only repeat the owner's for this process.
        const auto mode = [](const QString& path) {
            return QFileInfo(path).permissions() & QFile::Permissions(0x7077);
        };
        const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther;
        QDir().mkpath(inFolder("signatures"));
        writeDataFile("{not json");
        QFile(inFolder("signatures/A.png")).open(QIODevice::WriteOnly);
        const QString outside = m_dir->filePath(QStringLiteral("outside.txt"));
        QFile(outside).open(QIODevice::WriteOnly);
        QFile::link(outside, inFolder("link"));
        for (const QString& path : {inFolder("data.json"), inFolder("signatures/A.png"), outside}) {
            QFile::setPermissions(path, open);
        }
        QFile::setPermissions(folder(), open | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);

        const DataFile file = dataFile();
        QCOMPARE(mode(folder()), DataFile::folderPermissions);
        QCOMPARE(mode(inFolder("signatures")), DataFile::folderPermissions);
        QCOMPARE(mode(inFolder("signatures/A.png")), DataFile::filePermissions);
        QCOMPARE(mode(outside), open);
        QCOMPARE(file.load(), std::nullopt);
        QCOMPARE(mode(inFolder(backupName)), DataFile::filePermissions);
        QFile::remove(inFolder("data.json"));
        QCOMPARE(file.save(fullData()), DataFile::SaveResult::saved);
        QCOMPARE(mode(inFolder("data.json")), DataFile::filePermissions);
        // A fresh folder, parents and all.
        const QString fresh = m_dir->filePath(QStringLiteral("new/Leaflow"));
        const DataFile made(fresh);
        QCOMPARE(mode(made.folder()), DataFile::folderPermissions);
    }

    // An unreadable file is copied aside once, and stays until the next change overwrites it.
    void unreadableFileIsKeptAsBackup()
    {
        const char raw[] = "{\"version\":1,\r\n\"history\":[],\"signatures\":[{}]}\0\xff\xfe";
        const QByteArray bytes(raw, sizeof raw - 1);
        writeDataFile(bytes);
        const DataFile file = dataFile();
        QCOMPARE(file.restore(), AppData{});
        QCOMPARE(Fixtures::entries(folder()),
                 QStringList({backupName, QStringLiteral("data.json")}));
        QCOMPARE(Fixtures::readBytes(inFolder(backupName)), bytes);
        QCOMPARE(Fixtures::readBytes(inFolder("data.json")), bytes);

        writeDataFile("{}");
        QCOMPARE(file.load(), std::nullopt);
        QCOMPARE(Fixtures::readBytes(inFolder(backupName)), bytes);
        QCOMPARE(file.save(fullData()), DataFile::SaveResult::saved);
        QCOMPARE(Fixtures::readBytes(inFolder("data.json")), fullText);
        QCOMPARE(Fixtures::readBytes(inFolder(backupName)), bytes);
    }

    void fileInOtherFormIsRewrittenCompactAndSorted()
    {
        writeDataFile(QJsonDocument::fromJson(fullText).toJson(QJsonDocument::Indented));
        QCOMPARE(dataFile().restore(), fullData());
        QCOMPARE(Fixtures::readBytes(inFolder("data.json")), fullText);
        QCOMPARE(Fixtures::entries(folder()), QStringList({QStringLiteral("data.json")}));
    }

    void historyKeepsTheNewest200()
    {
        AppData data;
        HistoryItem run = fullData().history.first();
        for (int n = 1; n <= 201; ++n) {
            run.id = QUuid::createUuid();
            run.bytesAfter = n; // its place in the order
            data.recordRun(run);
        }
        QCOMPARE(data.history.size(), 200);
        for (qsizetype i = 0; i < data.history.size(); ++i) {
            QCOMPARE(data.history.at(i).bytesAfter, 201 - i); // newest first
        }
    }

    void failedSaveKeepsTheLastFile_data()
    {
        QTest::addColumn<QString>("folderBecomes"); // "file", "gone" or "" (left alone)
        QTest::addColumn<int>("injected");          // the errno the write answers; 0: none
        QTest::addColumn<DataFile::SaveResult>("result");
        using R = DataFile::SaveResult;
        QTest::newRow("folder replaced by a file") << "file" << 0 << R::folderMissing;
        QTest::newRow("folder removed: made again") << "gone" << 0 << R::saved;
        QTest::newRow("disk full") << "" << ENOSPC << R::diskFull;
        QTest::newRow("quota") << "" << EDQUOT << R::diskFull;
        QTest::newRow("no permission") << "" << EACCES << R::notPermitted;
        QTest::newRow("read-only file system") << "" << EROFS << R::notPermitted;
        QTest::newRow("input/output error") << "" << EIO << R::failed;
    }

    // A failed write leaves the last file and no temporary beside it; the result names the cause.
    void failedSaveKeepsTheLastFile()
    {
        QFETCH(QString, folderBecomes);
        QFETCH(int, injected);
        QFETCH(DataFile::SaveResult, result);
        QCOMPARE(dataFile().save(AppData{}), DataFile::SaveResult::saved);
        const QByteArray before = Fixtures::readBytes(inFolder("data.json"));
        // Half of the file goes out before the failure, as when a disk fills up.
        const DataFile file(folder(), fixedClock,
                            [injected](QFileDevice& out, const QByteArray& b) {
                                if (injected == 0) {
                                    return DataFile::writeAll(out, b);
                                }
                                out.write(b.left(b.size() / 2));
                                return injected;
                            });
        if (!folderBecomes.isEmpty()) {
            QVERIFY(QDir(folder()).removeRecursively());
        }
        if (folderBecomes == "file") {
            Fixtures::writeBytes(folder(), "not a folder");
        }

        QCOMPARE(file.save(fullData()), result);

        if (folderBecomes == "file") {
            QCOMPARE(Fixtures::readBytes(folder()), QByteArray("not a folder"));
        } else {
            QCOMPARE(Fixtures::entries(folder()), QStringList({QStringLiteral("data.json")}));
            QCOMPARE(Fixtures::readBytes(inFolder("data.json")),
                     result == DataFile::SaveResult::saved ? fullText : before);
        }
    }

    void signatureImagePath()
    {
        const DataFile file = dataFile();
        SavedSignature s = drawnSignature();
        s.imageFile = QStringLiteral("a.png");
        QCOMPARE(file.signatureImagePath(s), std::optional(file.signaturesPath() + "/a.png"));
        // Never a name that leads out of the folder or ends early.
        for (const QString& name :
             {QStringLiteral(".."), QStringLiteral("../x.png"), QStringLiteral("a\\b.png"),
              QString(QStringLiteral("a.png") + QChar(0) + "x")}) {
            s.imageFile = name;
            QCOMPARE(file.signatureImagePath(s), std::nullopt);
        }
    }
};

QTEST_GUILESS_MAIN(DataFileTest)
#include "DataFileTest.moc"
