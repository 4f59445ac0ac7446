#include "Fixtures.h"
#include "StoreTestCase.h"
#include "core/DataCoding.h"

#include <QTest>
#include <cerrno>

// An unwritable data file: the page that changed it says why, data stays in memory, the old
// file stays, and the next change or the Store's end writes it all once the cause is gone.
class DataSavingTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void init() override
    {
        QFile::remove(m_environment->dataFolder()); // a file a failed test left in its place
        StoreTestCase::init();
        m_injected = 0;
        m_fixture.reset();
        m_fixture = std::make_unique<StoreFixture>(
            *m_environment, DataFile(DataFile::standardFolder(), &QDateTime::currentDateTimeUtc,
                                     [this](QFileDevice& file, const QByteArray& bytes) {
                                         return m_injected != 0 ? m_injected
                                                                : DataFile::writeAll(file, bytes);
                                     }));
    }

    void failureIsToldAndTheNextChangeSavesEverything_data()
    {
        QTest::addColumn<QString>("cause"); // "folder": the data folder replaced by a file
        QTest::addColumn<QString>("note");
        const QString unsaved = "Geçmiş ve imzalar kaydedilemedi: ";
        QTest::newRow("data folder replaced by a file")
            << "folder" << unsaved + "veri klasörü yok ve oluşturulamadı (%1).";
        QTest::newRow("disk full") << "ENOSPC" << unsaved + "diskte yeterli yer yok.";
        QTest::newRow("input/output error") << "EIO" << unsaved + "veri klasörüne yazılamadı (%1).";
    }

    void failureIsToldAndTheNextChangeSavesEverything()
    {
        QFETCH(QString, cause);
        QFETCH(QString, note);
        note = note.arg(m_environment->dataFolder()) + ' ' + later;
        addDrawn("Ada");
        const QByteArray saved = Fixtures::readBytes(dataPath());
        setCause(cause, true);

        // A run's banner keeps its text and files, the note after them.
        store().addFiles({m_fixture->pdf("Rapor.pdf", 2), m_fixture->pdf("Ek.pdf")},
                         store().tool<MergeTool>());
        m_fixture->dialogs.saveAnswers = {m_fixture->path("Birleşik.pdf")};
        store().run(store().tool<MergeTool>());
        QVERIFY(m_fixture->waitIdle());
        const Banner ran = store().banner(QStringLiteral("merge")).value_or(Banner{});
        QVERIFY2(ran.text.endsWith(' ' + note), qPrintable(ran.text));
        QVERIFY(ran.text.startsWith("Hazır") && ran.isError());
        QCOMPARE(ran.outputs, QStringList{m_fixture->path("Birleşik.pdf")});
        QCOMPARE(store().data().history.size(), 1);
        // A signature added meanwhile (on the sign page) is told there, and the run's page keeps
        // its note.
        store().setShownPage(QStringLiteral("sign"));
        addDrawn("Bora");
        QCOMPARE(store().banner(QStringLiteral("sign")), (Banner{note, {}, Banner::Kind::error}));
        QCOMPARE(store().banner(QStringLiteral("merge")), ran);
        QCOMPARE(store().data().signatures.size(), 2);
        if (cause == "folder") {
            QCOMPARE(Fixtures::readBytes(m_environment->dataFolder()), QByteArray("not a folder"));
        } else {
            QCOMPARE(Fixtures::readBytes(dataPath()), saved);
            QCOMPARE(Fixtures::entries(m_environment->dataFolder()), QStringList{"data.json"});
        }

        setCause(cause, false);
        addDrawn("Cem");

        QCOMPARE(DataCoding::decode(Fixtures::readBytes(dataPath())), store().data());
        QCOMPARE(store().data().signatures.size(), 3);
        QCOMPARE(store().data().history.size(), 1);
        QVERIFY(!store().banner(QStringLiteral("sign")));
        Banner restored = ran;
        restored.text.chop(note.size() + 1);
        restored.kind = Banner::Kind::success;
        QCOMPARE(store().banner(QStringLiteral("merge")), restored);

        // Quitting with data only in memory tries once more.
        setCause(cause, true);
        addDrawn("Dora");
        setCause(cause, false);
        const AppData kept = store().data();
        m_fixture->store.reset();
        QCOMPARE(DataCoding::decode(Fixtures::readBytes(dataPath())), kept);
    }

private:
    const QString later =
        "Değişiklikler bellekte duruyor; bir sonraki değişiklikte ve çıkarken yeniden denenecek.";

    QString dataPath() const { return m_environment->dataFolder() + "/data.json"; }

    void setCause(const QString& cause, bool present)
    {
        if (cause != "folder") {
            m_injected = present ? (cause == "ENOSPC" ? ENOSPC : EIO) : 0;
            return;
        }
        const QString folder = m_environment->dataFolder();
        if (present) {
            QVERIFY(QDir(folder).removeRecursively());
            Fixtures::writeBytes(folder, "not a folder");
        } else {
            QVERIFY(QFile::remove(folder));
        }
    }

    void addDrawn(const QString& name)
    {
        store().addDrawnSignature(name, {{QPointF(10, 40), QPointF(60, 10)}}, 2.6, InkColor::black);
    }

    int m_injected = 0;
};

QTEST_MAIN(DataSavingTest)
#include "DataSavingTest.moc"
