#include "core/AppLanguage.h"
#include "core/PDFFile.h"
#include "core/Settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

const QString languagesKey = QStringLiteral("AppleLanguages");

// One setting seen through its typed value, so every row of the table runs the same checks.
struct Probe {
    std::function<bool()> readsDefault;
    std::function<bool()> readsOther;
    std::function<void()> writeOther;
};

template <typename T>
Probe probe(const Setting<T>& setting, const T& fallback, const T& other)
{
    return {[=] { return setting.value() == fallback; }, [=] { return setting.value() == other; },
            [=] { setting.set(other); }};
}

} // namespace

Q_DECLARE_METATYPE(Probe)

// The shared records: settings, catalogues, displayed page sizes.
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

    // Every setting: its default when absent; the form it writes is the one earlier versions
    // wrote and reads back; a stored value it cannot read gives the default again.
    void settingsTable_data()
    {
        QTest::addColumn<Probe>("setting");
        QTest::addColumn<QString>("written"); // in the file, as earlier versions wrote it
        QTest::addColumn<QVariant>("unreadable");
        const QVariant list(QStringList{"fr", "en"}); // for a language: one we do not translate
        const QString folder = QStringLiteral("/home/ayse/Belgeler");
        const QDateTime march(QDate(2026, 3, 1), QTime(9, 30), Qt::UTC);
        QTest::newRow("section") << probe(Settings::section, QString(), QString("pages")) << "pages"
                                 << list;
        QTest::newRow("AppleLanguages")
            << probe(Settings::language, AppLanguage::system, AppLanguage::es) << "es" << list;
        QTest::newRow("revealAfter")
            << probe(Settings::revealAfter, false, true) << "true" << QVariant("maybe");
        QTest::newRow("backgroundNoticeMuted")
            << probe(Settings::noticeMuted, false, true) << "true" << QVariant("2");
        QTest::newRow("settingsPane")
            << probe(Settings::settingsPane, QString(), QString("Veri")) << "Veri" << list;
        QTest::newRow("saveFolder/merge")
            << probe(Settings::saveFolder[QStringLiteral("merge")], QString(), folder) << folder
            << list;
        QTest::newRow("compressionLevel")
            << probe(Settings::compressionLevel, CompressionLevel::balanced,
                     CompressionLevel::strong)
            << "strong" << QVariant("Strong");
        QTest::newRow("automaticUpdateChecks")
            << probe(Settings::automaticUpdateChecks, true, false) << "false" << QVariant("no");
        QTest::newRow("lastUpdateCheck") << probe(Settings::lastUpdateCheck, QDateTime(), march)
                                         << "2026-03-01T09:30:00Z" << QVariant("yesterday");
    }

    void settingsTable()
    {
        QFETCH(Probe, setting);
        QFETCH(QString, written);
        QFETCH(QVariant, unreadable);
        const QString key = QString::fromLatin1(QTest::currentDataTag()); // rows are named by key
        QVERIFY(setting.readsDefault());
        setting.writeOther();
        QCOMPARE(onDisk(key).toString(), written);
        QSettings().clear();
        QSettings().setValue(key, written); // as the file gives it back
        QVERIFY(setting.readsOther());
        QSettings().setValue(key, unreadable);
        QVERIFY(setting.readsDefault());
    }

    // A language is read from the first entry of the list by its first two letters.
    void readsStoredLanguage_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("read"); // the raw value of the choice read back
        QTest::newRow("es-MX then en") << QVariant(QStringList{"es-MX", "en"}) << "es";
        QTest::newRow("upper case") << QVariant(QStringList{"ES"}) << "system";
        QTest::newRow("not a list") << QVariant(42) << "system";
    }

    void readsStoredLanguage()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, read);
        QSettings().setValue(languagesKey, stored);
        QCOMPARE(AppLanguages::rawValue(AppLanguages::selected()), read);
    }

    // Choices reach the file at once, for another process or a restart; a language replaces the
    // list.
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
