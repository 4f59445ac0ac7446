#include "AppDataPrinting.h"

#include "DataCoding.h"
#include "DataFile.h"

#include "Fixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const qint64 clockSeconds = 1741944413; // 2025-03-14T09:26:53Z

QDateTime fixedClock()
{
    return QDateTime::fromSecsSinceEpoch(clockSeconds, Qt::UTC).addMSecs(750);
}

HistoryItem run(int n)
{
    HistoryItem h;
    h.id = QUuid(0x9b2c0000u + static_cast<uint>(n), 0x1d4f, 0x4c6a, 0xb7, 0xe8, 0xf0, 0xa1, 0xb2,
                 0xc3, 0xd4, 0xe5);
    h.date = QDateTime::fromSecsSinceEpoch(clockSeconds + n, Qt::UTC);
    h.tool = QStringLiteral("split");
    h.inputs = {QStringLiteral("in-%1.pdf").arg(n)};
    h.outputs = {QStringLiteral("/out/in-%1 (1).pdf").arg(n)};
    h.bytesBefore = 1000 + n;
    h.bytesAfter = n;
    return h;
}

SavedSignature drawn()
{
    SavedSignature s;
    s.id = QUuid::fromString(QStringLiteral("3F2504E0-4F89-41D3-9A0C-0305E82C3301"));
    s.name = QStringLiteral("Ada");
    s.strokes = QList<Stroke>{{QPointF(0.1, 0.5), QPointF(0.9, 0.5)}};
    s.weight = 0.06;
    s.ink = InkColor::blue;
    s.aspect = 2.5;
    return s;
}

AppData sample()
{
    AppData data;
    data.signatures = {drawn()};
    data.history = {run(2), run(1)};
    return data;
}

const QByteArray indentedOtherOrder = R"({
    "version": 1,
    "signatures": [
        {
            "name": "Ada",
            "id": "3f2504e0-4f89-41d3-9a0c-0305e82c3301",
            "aspect": 2.5,
            "strokes": [[[0.1, 0.5], [0.9, 0.5]]]
        }
    ],
    "history": []
}
)";

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

// The data folder: loading with backups of unreadable files, the start-up
// rewrite, atomic and silent saving, and the signature image paths.
class DataFileTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString folder() const { return m_dir->filePath(QStringLiteral("Leaflow")); }
    DataFile dataFile() const { return DataFile(folder(), fixedClock); }

    void writeDataFile(const QByteArray& bytes) const
    {
        QDir().mkpath(folder());
        Fixtures::writeBytes(folder() + QStringLiteral("/data.json"), bytes);
    }

    QByteArray dataFileBytes() const
    {
        return Fixtures::readBytes(folder() + QStringLiteral("/data.json"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
        qunsetenv("LEAFLOW_SNAPSHOT");
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup() { qunsetenv("LEAFLOW_SNAPSHOT"); }

    void standardFolderIsInTheUsersDataFolder()
    {
        QCOMPARE(DataFile::standardFolder(), m_home.filePath(QStringLiteral("data/Leaflow")));
        const DataFile file;
        QCOMPARE(file.folder(), DataFile::standardFolder());
        QCOMPARE(file.dataPath(), m_home.filePath(QStringLiteral("data/Leaflow/data.json")));
        QCOMPARE(file.signaturesPath(), m_home.filePath(QStringLiteral("data/Leaflow/signatures")));
        QVERIFY(QFileInfo(DataFile::standardFolder()).isDir());
    }

    void firstStartCreatesFolderAndWritesNothing()
    {
        const QString nested = m_dir->filePath(QStringLiteral("a/b/Leaflow"));
        QVERIFY(!QFileInfo::exists(nested));
        const DataFile file(nested, fixedClock);
        QVERIFY(QFileInfo(nested).isDir());
        QCOMPARE(file.load(), std::nullopt);
        QCOMPARE(file.restore(), AppData{});
        QCOMPARE(entries(nested), QStringList());
    }

    void emptyObjectIsKeptAsBackup()
    {
        writeDataFile("{}");
        const DataFile file = dataFile();
        QCOMPARE(file.restore(), AppData{});
        QCOMPARE(entries(folder()), QStringList({QStringLiteral("data-1741944413.bak.json"),
                                                 QStringLiteral("data.json")}));
        QCOMPARE(Fixtures::readBytes(folder() + QStringLiteral("/data-1741944413.bak.json")),
                 QByteArray("{}"));
        // The unreadable file stays until the next change overwrites it.
        QCOMPARE(dataFileBytes(), QByteArray("{}"));
        QVERIFY(file.save(sample()));
        QCOMPARE(dataFileBytes(), DataCoding::encode(sample()));
        QCOMPARE(Fixtures::readBytes(folder() + QStringLiteral("/data-1741944413.bak.json")),
                 QByteArray("{}"));
    }

    void existingBackupIsNotOverwritten()
    {
        writeDataFile("first");
        const DataFile file = dataFile();
        QCOMPARE(file.load(), std::nullopt);
        writeDataFile("second");
        QCOMPARE(file.load(), std::nullopt);
        QCOMPARE(Fixtures::readBytes(folder() + QStringLiteral("/data-1741944413.bak.json")),
                 QByteArray("first"));
        QCOMPARE(dataFileBytes(), QByteArray("second"));
    }

    void backupIsByteForByte()
    {
        const char raw[] = "{\"version\":1,\r\n\"history\":[],\"signatures\":[{}]}\0\xff\xfe";
        const QByteArray bytes(raw, sizeof raw - 1);
        writeDataFile(bytes);
        QCOMPARE(dataFile().restore(), AppData{});
        QCOMPARE(Fixtures::readBytes(folder() + QStringLiteral("/data-1741944413.bak.json")),
                 bytes);
    }

    void fileInOtherFormIsRewrittenCompactAndSorted()
    {
        writeDataFile(indentedOtherOrder);
        const AppData data = dataFile().restore();
        const QByteArray expected =
            R"({"history":[],"signatures":[{"aspect":2.5,"id":"3F2504E0-4F89-41D3-9A0C-0305E82C3301",)"
            R"("name":"Ada","strokes":[[[0.1,0.5],[0.9,0.5]]]}],"version":1})";
        QCOMPARE(dataFileBytes(), expected);
        QCOMPARE(DataCoding::decode(dataFileBytes()), std::optional(data));
    }

    void historyKeepsTheNewest200()
    {
        AppData data;
        for (int n = 1; n <= 201; ++n) {
            data.recordRun(run(n));
            QVERIFY(data.history.size() <= AppData::historyLimit);
        }
        QCOMPARE(data.history.size(), 200);
        QCOMPARE(data.history.first().inputs, QStringList({QStringLiteral("in-201.pdf")}));
        QCOMPARE(data.history.last().inputs, QStringList({QStringLiteral("in-2.pdf")}));
        for (qsizetype i = 0; i < data.history.size(); ++i) {
            QCOMPARE(data.history.at(i).bytesAfter, 201 - i);
        }

        const DataFile file = dataFile();
        QVERIFY(file.save(data));
        QCOMPARE(file.restore(), data);
    }

    void atomicSaveLeavesNoTemporaryFiles()
    {
        const DataFile file = dataFile();
        QVERIFY(file.save(AppData{}));
        QVERIFY(file.save(sample()));
        QCOMPARE(entries(folder()), QStringList({QStringLiteral("data.json")}));
        QCOMPARE(dataFileBytes(), DataCoding::encode(sample()));
    }

    void screenshotModeWritesNothing()
    {
        writeDataFile(indentedOtherOrder);
        qputenv("LEAFLOW_SNAPSHOT", "");
        const DataFile file = dataFile();
        QVERIFY(!file.save(sample()));
        const AppData data = file.restore();
        QCOMPARE(data.signatures.size(), 1);
        QCOMPARE(dataFileBytes(), indentedOtherOrder);
        QCOMPARE(entries(folder()), QStringList({QStringLiteral("data.json")}));
    }

    void unwritableFolderFailsSilently()
    {
        const QString blocker = m_dir->filePath(QStringLiteral("blocker"));
        Fixtures::writeBytes(blocker, "not a folder");
        const DataFile file(blocker + QStringLiteral("/Leaflow"), fixedClock);
        QVERIFY(!QFileInfo(file.folder()).exists());
        const AppData before = sample();
        AppData data = before;
        QVERIFY(!file.save(data));
        QCOMPARE(data, before);
        QCOMPARE(file.load(), std::nullopt);
        QCOMPARE(file.restore(), AppData{});
        QCOMPARE(Fixtures::readBytes(blocker), QByteArray("not a folder"));
    }

    void unencodableDataKeepsTheLastGoodFile()
    {
        const DataFile file = dataFile();
        QVERIFY(file.save(sample()));
        AppData broken = sample();
        broken.signatures[0].aspect = std::numeric_limits<double>::quiet_NaN();
        QVERIFY(!file.save(broken));
        QCOMPARE(dataFileBytes(), DataCoding::encode(sample()));
    }

    void signatureImagePath_data()
    {
        QTest::addColumn<std::optional<QString>>("imageFile");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("plain name") << std::optional<QString>("a.png") << true;
        QTest::newRow("uuid name")
            << std::optional<QString>("3F2504E0-4F89-41D3-9A0C-0305E82C3301.png") << true;
        QTest::newRow("leading dot") << std::optional<QString>(".a.png") << true;
        QTest::newRow("drawn signature") << std::optional<QString>() << false;
        QTest::newRow("empty") << std::optional<QString>("") << false;
        QTest::newRow("dot") << std::optional<QString>(".") << false;
        QTest::newRow("dot dot") << std::optional<QString>("..") << false;
        QTest::newRow("parent folder") << std::optional<QString>("../x.png") << false;
        QTest::newRow("absolute") << std::optional<QString>("/etc/passwd") << false;
        QTest::newRow("sub folder") << std::optional<QString>("sub/a.png") << false;
        QTest::newRow("backslash") << std::optional<QString>("a\\b.png") << false;
        QTest::newRow("nul") << std::optional<QString>(QStringLiteral("a.png") + QChar(0) + "x")
                             << false;
    }

    void signatureImagePath()
    {
        QFETCH(std::optional<QString>, imageFile);
        QFETCH(bool, allowed);
        SavedSignature s = drawn();
        s.imageFile = imageFile;
        const DataFile file = dataFile();
        const auto path = file.signatureImagePath(s);
        if (allowed) {
            QCOMPARE(path, std::optional(file.signaturesPath() + "/" + *imageFile));
        } else {
            QCOMPARE(path, std::nullopt);
        }
    }
};

QTEST_GUILESS_MAIN(DataFileTest)
#include "DataFileTest.moc"
