#include "AppLanguage.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(AppLanguage)

namespace {
const QString key = QStringLiteral("AppleLanguages");
}

// The stored interface-language choice: reading the app's own language list and storing a choice.
class AppLanguageTest : public QObject {
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
        QVERIFY2(QSettings().fileName().startsWith(m_home.path()),
                 qPrintable(QSettings().fileName()));
    }

    void init() { QSettings().clear(); }

    void rawValues()
    {
        QStringList raw;
        for (AppLanguage language :
             {AppLanguage::system, AppLanguage::en, AppLanguage::tr, AppLanguage::es}) {
            raw << AppLanguages::rawValue(language);
            QCOMPARE(AppLanguages::fromRawValue(AppLanguages::rawValue(language)), language);
        }
        QCOMPARE(raw, QStringList({"system", "en", "tr", "es"}));
        QCOMPARE(AppLanguages::fromRawValue(QStringLiteral("EN")), std::nullopt);
    }

    void selectedReadsTheFirstEntry_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<AppLanguage>("language");
        QTest::newRow("nothing stored") << QVariant() << AppLanguage::system;
        QTest::newRow("es-MX then en") << QVariant(QStringList{"es-MX", "en"}) << AppLanguage::es;
        QTest::newRow("only fr") << QVariant(QStringList{"fr"}) << AppLanguage::system;
        QTest::newRow("fr then en") << QVariant(QStringList{"fr", "en"}) << AppLanguage::system;
        QTest::newRow("en-GB") << QVariant(QStringList{"en-GB"}) << AppLanguage::en;
        QTest::newRow("tr") << QVariant(QStringList{"tr"}) << AppLanguage::tr;
        QTest::newRow("de") << QVariant(QStringList{"de", "tr"}) << AppLanguage::system;
        QTest::newRow("one letter") << QVariant(QStringList{"e"}) << AppLanguage::system;
        QTest::newRow("empty list") << QVariant(QStringList{}) << AppLanguage::system;
        QTest::newRow("system spelled out")
            << QVariant(QStringList{"system"}) << AppLanguage::system;
        QTest::newRow("upper case") << QVariant(QStringList{"ES"}) << AppLanguage::system;
        QTest::newRow("not a list") << QVariant(42) << AppLanguage::system;
    }

    void selectedReadsTheFirstEntry()
    {
        QFETCH(QVariant, stored);
        QFETCH(AppLanguage, language);
        if (stored.isValid()) {
            QSettings().setValue(key, stored);
        }
        QCOMPARE(AppLanguages::selected(), language);
    }

    void selectingSystemRemovesTheKey()
    {
        QSettings().setValue(key, QStringList{"es"});
        AppLanguages::select(AppLanguage::system);
        QVERIFY(!QSettings().contains(key));
        QCOMPARE(AppLanguages::selected(), AppLanguage::system);
    }

    void selectingALanguageStoresOneEntry_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("code");
        QTest::newRow("English") << AppLanguage::en << "en";
        QTest::newRow("Turkish") << AppLanguage::tr << "tr";
        QTest::newRow("Spanish") << AppLanguage::es << "es";
    }

    void selectingALanguageStoresOneEntry()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QString, code);
        QSettings().setValue(key, QStringList{"fr", "de"});
        AppLanguages::select(language);
        QSettings settings;
        settings.sync();
        QCOMPARE(settings.value(key).toStringList(), QStringList{code});
        QCOMPARE(AppLanguages::selected(), language);
        // Read back from the file, as the next start does.
        QSettings fromDisk(settings.fileName(), QSettings::IniFormat);
        QCOMPARE(fromDisk.value(key).toStringList(), QStringList{code});
    }

    // The embedded catalogues: every chosen language shows its own text, and
    // choosing again replaces the catalogue instead of stacking another one.
    void installsTheChosenCatalogue_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Spanish") << AppLanguage::es << "Debe quedar al menos una página.";
        QTest::newRow("English") << AppLanguage::en << "At least one page must remain.";
        QTest::newRow("Turkish, the source") << AppLanguage::tr << "En az bir sayfa kalmalı.";
        QTest::newRow("Spanish again") << AppLanguage::es << "Debe quedar al menos una página.";
    }

    void installsTheChosenCatalogue()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QString, shown);
        AppLanguages::select(language);
        AppLanguages::installTranslator(*QCoreApplication::instance());
        QCOMPARE(QCoreApplication::translate("PDFEngine", "En az bir sayfa kalmalı."), shown);
        const QString outside =
            QCoreApplication::translate("PDFEngine",
                                        "Bu PDF %1 sayfa. “%2” bunun dışında kalıyor.");
        QVERIFY(outside.contains(QStringLiteral("%1")) && outside.contains(QStringLiteral("%2")));
    }
};

QTEST_GUILESS_MAIN(AppLanguageTest)
#include "AppLanguageTest.moc"
