#include "AppLanguage.h"
#include "PDFFile.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString languagesKey = QStringLiteral("AppleLanguages");
}

// The shared records: remembered language, catalogues, displayed page sizes.
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

    // Only a first-listed language by its two letters is read; else the system's.
    void readsStoredChoices_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("read"); // the raw value of the choice read back
        QTest::newRow("language: nothing stored") << languagesKey << QVariant() << "system";
        QTest::newRow("es-MX then en")
            << languagesKey << QVariant(QStringList{"es-MX", "en"}) << "es";
        QTest::newRow("fr then en")
            << languagesKey << QVariant(QStringList{"fr", "en"}) << "system";
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
        QCOMPARE(AppLanguages::rawValue(AppLanguages::selected()), read);
    }

    // A choice reaches the file at once, for another process or a restart; a language replaces
    // the list.
    void choicesAreStoredAtOnce()
    {
        QSettings().setValue(languagesKey, QStringList{"fr", "de"});
        AppLanguages::select(AppLanguage::es);
        QCOMPARE(onDisk(languagesKey).toStringList(), QStringList{"es"});

        AppLanguages::select(AppLanguage::system);
        QVERIFY(!QSettings().contains(languagesKey));
    }

    // Each chosen catalogue shows its text; choosing again replaces it instead of stacking.
    void installsTheChosenCatalogue()
    {
        for (const auto& [language, shown] :
             {std::pair{AppLanguage::es, "Debe quedar al menos una página."},
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
