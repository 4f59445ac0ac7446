#include "AppLanguage.h"
#include "AppSection.h"
#include "PDFFile.h"
#include "PDFSource.h"
#include "ToolOptions.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString languagesKey = QStringLiteral("AppleLanguages");
}

// The shared records: raw values, the remembered section and language, source
// identity and displayed page sizes.
class RecordsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

    // The value as the next start reads it, from the file itself.
    static QVariant onDisk(const QString& key)
    {
        QSettings settings;
        settings.sync();
        return QSettings(settings.fileName(), QSettings::IniFormat).value(key);
    }

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

    void rawValues()
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
        QCOMPARE(AppSections::fromRawValue(QStringLiteral(" sign")), std::nullopt);

        QCOMPARE(ToolOptions::rawValue(InkColor::black), QStringLiteral("black"));
    }

    // A stored section counts only as its exact raw value, a language only as the first
    // entry of the list, by its two letters; anything else reads as the default.
    void readsStoredChoices_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("read"); // the raw value of the choice read back
        const QString section = QStringLiteral("section");
        QTest::newRow("section: nothing stored") << section << QVariant() << "merge";
        QTest::newRow("section: wrong case") << section << QVariant("Merge") << "merge";
        QTest::newRow("section: history") << section << QVariant("history") << "history";
        QTest::newRow("language: nothing stored") << languagesKey << QVariant() << "system";
        QTest::newRow("es-MX then en")
            << languagesKey << QVariant(QStringList{"es-MX", "en"}) << "es";
        QTest::newRow("fr then en")
            << languagesKey << QVariant(QStringList{"fr", "en"}) << "system";
        QTest::newRow("tr") << languagesKey << QVariant(QStringList{"tr"}) << "tr";
        QTest::newRow("empty list") << languagesKey << QVariant(QStringList{}) << "system";
        QTest::newRow("upper case") << languagesKey << QVariant(QStringList{"ES"}) << "system";
        QTest::newRow("not a list") << languagesKey << QVariant(42) << "system";
    }

    void readsStoredChoices()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QString, read);
        if (stored.isValid()) {
            QSettings().setValue(key, stored);
        }
        QCOMPARE(key == languagesKey ? AppLanguages::rawValue(AppLanguages::selected())
                                     : AppSections::rawValue(AppSections::current()),
                 read);
    }

    // The section and a language are written to the file at once, so that another process
    // (or a restart) sees them; a language replaces the whole list.
    void choicesAreStoredAtOnce()
    {
        AppSections::setCurrent(AppSection::pages);
        QCOMPARE(AppSections::current(), AppSection::pages);
        QCOMPARE(onDisk(QStringLiteral("section")), QVariant(QStringLiteral("pages")));

        QSettings().setValue(languagesKey, QStringList{"fr", "de"});
        AppLanguages::select(AppLanguage::es);
        QCOMPARE(AppLanguages::selected(), AppLanguage::es);
        QCOMPARE(onDisk(languagesKey).toStringList(), QStringList{"es"});

        AppLanguages::select(AppLanguage::system);
        QVERIFY(!QSettings().contains(languagesKey));
        QCOMPARE(AppLanguages::selected(), AppLanguage::system);
    }

    // The embedded catalogues: every chosen language shows its own text, and
    // choosing again replaces the catalogue instead of stacking another one.
    void installsTheChosenCatalogue()
    {
        for (const auto& [language, shown] :
             {std::pair{AppLanguage::es, "Debe quedar al menos una página."},
              std::pair{AppLanguage::en, "At least one page must remain."},
              std::pair{AppLanguage::tr, "En az bir sayfa kalmalı."}}) { // the source
            AppLanguages::select(language);
            AppLanguages::installTranslator(*QCoreApplication::instance());
            QCOMPARE(QCoreApplication::translate("PDFEngine", "En az bir sayfa kalmalı."),
                     QString::fromUtf8(shown));
            const QString outside =
                QCoreApplication::translate("PDFEngine",
                                            "Bu PDF %1 sayfa. “%2” bunun dışında kalıyor.");
            QVERIFY(outside.contains(QStringLiteral("%1")) &&
                    outside.contains(QStringLiteral("%2")));
        }
    }

    // The sizes the renderer read at admission; pages it has none for show as A4.
    void fileDisplaySize()
    {
        PDFFile file;
        file.pageSizes = {QSizeF(500, 700), QSizeF(792, 612), QSizeF()};
        file.pageCount = 4;
        QCOMPARE(file.displaySize(1), QSizeF(792, 612));
        // Unreadable, past the end, negative, beyond int, and of a file with no sizes.
        for (const qint64 page : {qint64(2), qint64(3), qint64(-1), qint64(1) << 32}) {
            QCOMPARE(file.displaySize(page), QSizeF(595, 842));
        }
        QCOMPARE(PDFFile{}.displaySize(0), QSizeF(595, 842));
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "RecordsTest.moc"
