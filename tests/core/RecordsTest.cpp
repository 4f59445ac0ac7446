#include "AppSection.h"
#include "PDFFile.h"
#include "PDFSource.h"
#include "PageGeometry.h"
#include "ToolOptions.h"

#include "Fixtures.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <poppler-qt6.h>

Q_DECLARE_METATYPE(AppSection)
Q_DECLARE_METATYPE(std::optional<AppSection>)
Q_DECLARE_METATYPE(std::optional<QRectF>)

// The shared records: raw values, the remembered section, source identity and displayed page sizes.
class RecordsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("data"))));
        QCoreApplication::setOrganizationName(QStringLiteral("Leaflow"));
        QCoreApplication::setApplicationName(QStringLiteral("Leaflow"));
        QSettings settings;
        QVERIFY2(settings.fileName().startsWith(m_home.path()), qPrintable(settings.fileName()));
    }

    void init() { QSettings().clear(); }

    void sectionRawValues()
    {
        const QStringList expected = {"merge", "split", "compress", "sign", "pages", "history"};
        QStringList raw;
        for (AppSection section : AppSections::all) {
            raw << AppSections::rawValue(section);
            QCOMPARE(AppSections::fromRawValue(AppSections::rawValue(section)), section);
        }
        QCOMPARE(raw, expected);
        QStringList tools;
        for (AppSection section : AppSections::tools) {
            tools << AppSections::rawValue(section);
        }
        QCOMPARE(tools, expected.mid(0, 5));
    }

    void sectionFromRawValue_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<std::optional<AppSection>>("section");
        QTest::newRow("history") << "history" << std::optional(AppSection::history);
        QTest::newRow("wrong case") << "Merge" << std::optional<AppSection>();
        QTest::newRow("padded") << " sign" << std::optional<AppSection>();
        QTest::newRow("unknown") << "foo" << std::optional<AppSection>();
        QTest::newRow("empty") << "" << std::optional<AppSection>();
    }

    void sectionFromRawValue()
    {
        QFETCH(QString, raw);
        QFETCH(std::optional<AppSection>, section);
        QCOMPARE(AppSections::fromRawValue(raw), section);
    }

    void currentSectionReadsSettings_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<AppSection>("section");
        QTest::newRow("nothing stored") << QVariant() << AppSection::merge;
        QTest::newRow("wrong case") << QVariant("Merge") << AppSection::merge;
        QTest::newRow("unknown") << QVariant("foo") << AppSection::merge;
        QTest::newRow("history") << QVariant("history") << AppSection::history;
        QTest::newRow("compress") << QVariant("compress") << AppSection::compress;
    }

    void currentSectionReadsSettings()
    {
        QFETCH(QVariant, stored);
        QFETCH(AppSection, section);
        if (stored.isValid()) {
            QSettings().setValue(QStringLiteral("section"), stored);
        }
        QCOMPARE(AppSections::current(), section);
    }

    void settingCurrentSectionStoresRawValue()
    {
        AppSections::setCurrent(AppSection::pages);
        QSettings().sync();
        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("section")), QVariant(QStringLiteral("pages")));
        QCOMPARE(AppSections::current(), AppSection::pages);
        // Written to the file at once, so another process (or a restart) sees it.
        QSettings fromDisk(settings.fileName(), QSettings::IniFormat);
        QCOMPARE(fromDisk.value(QStringLiteral("section")).toString(), QStringLiteral("pages"));
    }

    void toolOptionRawValues()
    {
        QStringList modes;
        for (SplitMode mode : ToolOptions::splitModes) {
            modes << ToolOptions::rawValue(mode);
            QCOMPARE(ToolOptions::splitModeFromRawValue(ToolOptions::rawValue(mode)), mode);
        }
        QCOMPARE(modes, QStringList({"each", "every", "ranges"}));

        QStringList levels;
        for (CompressionLevel level : ToolOptions::compressionLevels) {
            levels << ToolOptions::rawValue(level);
            QCOMPARE(ToolOptions::compressionLevelFromRawValue(ToolOptions::rawValue(level)),
                     level);
        }
        QCOMPARE(levels, QStringList({"light", "balanced", "strong"}));

        QStringList inks;
        for (InkColor ink : ToolOptions::inkColors) {
            inks << ToolOptions::rawValue(ink);
            QCOMPARE(ToolOptions::inkColorFromRawValue(ToolOptions::rawValue(ink)), ink);
        }
        QCOMPARE(inks, QStringList({"black", "blue"}));
    }

    void toolOptionsRefuseOtherStrings()
    {
        QCOMPARE(ToolOptions::splitModeFromRawValue(QStringLiteral("Each")), std::nullopt);
        QCOMPARE(ToolOptions::compressionLevelFromRawValue(QStringLiteral("medium")), std::nullopt);
        QCOMPARE(ToolOptions::inkColorFromRawValue(QStringLiteral("red")), std::nullopt);
        QCOMPARE(ToolOptions::inkColorFromRawValue(QString()), std::nullopt);
    }

    void sourcesDifferByPassword()
    {
        const QString url = QStringLiteral("/tmp/a.pdf");
        const PDFSource plain{url, std::nullopt};
        const PDFSource locked{url, QStringLiteral("secret")};
        const PDFSource emptyPassword{url, QString()};
        QVERIFY(plain != locked);
        QVERIFY(plain != emptyPassword);
        QVERIFY(locked != PDFSource({url, QStringLiteral("other")}));
        QVERIFY(locked != PDFSource({QStringLiteral("/tmp/b.pdf"), QStringLiteral("secret")}));
        QCOMPARE(locked, PDFSource({url, QStringLiteral("secret")}));
        QCOMPARE(qHash(locked), qHash(PDFSource{url, QStringLiteral("secret")}));

        QSet<PDFSource> set{plain, locked, emptyPassword, PDFSource{url, std::nullopt}};
        QCOMPARE(set.size(), 3);
        QVERIFY(set.contains(PDFSource{url, QStringLiteral("secret")}));
    }

    void normalizedRotation_data()
    {
        QTest::addColumn<long long>("degrees");
        QTest::addColumn<int>("normalized");
        QTest::newRow("0") << 0LL << 0;
        QTest::newRow("90") << 90LL << 90;
        QTest::newRow("180") << 180LL << 180;
        QTest::newRow("270") << 270LL << 270;
        QTest::newRow("360") << 360LL << 0;
        QTest::newRow("450") << 450LL << 90;
        QTest::newRow("-90") << -90LL << 270;
        QTest::newRow("-180") << -180LL << 180;
        QTest::newRow("-270") << -270LL << 90;
        QTest::newRow("-450") << -450LL << 270;
        QTest::newRow("720 + 180") << 900LL << 180;
        QTest::newRow("45 rounds down") << 45LL << 0;
        QTest::newRow("-45 rounds down") << -45LL << 270;
    }

    void normalizedRotation()
    {
        QFETCH(long long, degrees);
        QFETCH(int, normalized);
        QCOMPARE(PageGeometry::normalizedRotation(degrees), normalized);
    }

    void fileDisplaySize_data()
    {
        QTest::addColumn<int>("rotate");
        QTest::addColumn<std::optional<QRectF>>("cropBox");
        QTest::addColumn<QSizeF>("size");
        const std::optional<QRectF> none;
        const std::optional<QRectF> crop = QRectF(50, 60, 300, 400);
        QTest::newRow("upright") << 0 << none << QSizeF(612, 792);
        QTest::newRow("90") << 90 << none << QSizeF(792, 612);
        QTest::newRow("180") << 180 << none << QSizeF(612, 792);
        QTest::newRow("270") << 270 << none << QSizeF(792, 612);
        QTest::newRow("-90") << -90 << none << QSizeF(792, 612);
        QTest::newRow("450") << 450 << none << QSizeF(792, 612);
        QTest::newRow("crop box") << 0 << crop << QSizeF(300, 400);
        QTest::newRow("crop box turned") << 90 << crop << QSizeF(400, 300);
        QTest::newRow("crop box -270") << -270 << crop << QSizeF(400, 300);
    }

    void fileDisplaySize()
    {
        QFETCH(int, rotate);
        QFETCH(std::optional<QRectF>, cropBox);
        QFETCH(QSizeF, size);
        const QString path = m_home.filePath(QStringLiteral("rotated.pdf"));
        Fixtures::Page tall{QStringLiteral("tall"), 612, 792, rotate, cropBox};
        Fixtures::Page wide{QStringLiteral("a4"), 595, 842, 0, std::nullopt};
        Fixtures::writePdf(path, {wide, tall});
        const PDFFile file = open(path);
        QCOMPARE(file.displaySize(1), size);
        QCOMPARE(file.displaySize(0), QSizeF(595, 842));
    }

    void missingPagesShowAsA4_data()
    {
        QTest::addColumn<qint64>("page");
        QTest::newRow("just past the end") << qint64(2);
        QTest::newRow("far past the end") << qint64(1000);
        QTest::newRow("negative") << qint64(-1);
        QTest::newRow("beyond int") << (qint64(1) << 32);
    }

    void missingPagesShowAsA4()
    {
        QFETCH(qint64, page);
        const QString path = m_home.filePath(QStringLiteral("letter.pdf"));
        Fixtures::writePdf(path, {Fixtures::Page{QStringLiteral("p1"), 612, 792, 0, std::nullopt},
                                  Fixtures::Page{QStringLiteral("p2"), 612, 792, 0, std::nullopt}});
        const PDFFile file = open(path);
        QCOMPARE(file.displaySize(page), QSizeF(595, 842));
        QCOMPARE(file.displaySize(1), QSizeF(612, 792));
    }

    void fileWithoutDocumentShowsA4() { QCOMPARE(PDFFile{}.displaySize(0), QSizeF(595, 842)); }

private:
    static PDFFile open(const QString& path)
    {
        PDFFile file;
        file.id = QUuid::createUuid();
        file.source = PDFSource{path, std::nullopt};
        file.doc = std::shared_ptr<Poppler::Document>(Poppler::Document::load(path));
        if (!file.doc) {
            qFatal("poppler could not open %s", qPrintable(path));
        }
        file.pageCount = file.doc->numPages();
        return file;
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "RecordsTest.moc"
