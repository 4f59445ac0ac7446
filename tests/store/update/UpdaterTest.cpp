#include "Updater.h"

#include <QTest>

namespace {

using Kind = Updater::Phase::Kind;
using Phase = Updater::Phase;

// Stands in for the update machinery: remembers what the updater asks of it.
class ScriptedBackend : public UpdateBackend {
public:
    QString failure;
    bool can = true;
    bool automaticOn = true;
    int checks = 0;
    QList<bool> automaticWrites;

    QString start(UpdateDriver&) override { return failure; }
    void checkForUpdates() override { ++checks; }
    bool canCheckForUpdates() const override { return can; }
    bool automaticallyChecksForUpdates() const override { return automaticOn; }
    void setAutomaticallyChecksForUpdates(bool on) override
    {
        automaticWrites.append(on);
        automaticOn = on;
    }
    void announce(bool value) { emit canCheckForUpdatesChanged(value); }
};

} // namespace

Q_DECLARE_METATYPE(Phase)

// The update state with the machinery replaced: every report's effect and every answer given.
class UpdaterTest : public QObject {
    Q_OBJECT

    ScriptedBackend* m_backend = nullptr;
    std::unique_ptr<Updater> m_updater;
    QList<UpdateChoice> m_replies;
    int m_cancels = 0;

    Updater& made(const QString& failure = {})
    {
        auto backend = std::make_unique<ScriptedBackend>();
        backend->failure = failure;
        m_backend = backend.get();
        m_updater = std::make_unique<Updater>(std::move(backend));
        return *m_updater;
    }
    UpdateDriver::Reply reply()
    {
        return [this](UpdateChoice choice) { m_replies.append(choice); };
    }
    UpdateDriver::Cancel cancel()
    {
        return [this] { ++m_cancels; };
    }

private slots:
    void init()
    {
        m_replies.clear();
        m_cancels = 0;
    }

    void withoutMachineryNothingHappens()
    {
        Updater none(nullptr);
        none.checkNow();
        QVERIFY(!none.updater() && !none.canCheck() && !none.automatic());
        QCOMPARE(none.phase(), Phase::idle());

        Updater& broken = made(QStringLiteral("anahtar yok"));
        broken.checkNow();
        QVERIFY(!broken.updater() && !broken.canCheck());
        QCOMPARE(broken.phase(), Phase::failed(QStringLiteral("anahtar yok")));
    }

    void mirrorsTheMachineryAndWritesOnlyChanges()
    {
        Updater& updater = made();
        QVERIFY(updater.updater() && updater.canCheck() && updater.automatic());
        QVERIFY(m_backend->automaticWrites.isEmpty());
        updater.setAutomatic(true);
        updater.setAutomatic(false);
        QCOMPARE(m_backend->automaticWrites, QList<bool>{false});
        m_backend->announce(false);
        QVERIFY(!updater.canCheck());
        updater.checkNow();
        QCOMPARE(m_backend->checks, 1);
    }

    void downloadFraction_data()
    {
        QTest::addColumn<quint64>("expected");
        QTest::addColumn<QList<quint64>>("chunks");
        QTest::addColumn<QList<double>>("fractions"); // -1: none
        QTest::newRow("unknown length")
            << quint64{0} << QList<quint64>{100, 200} << QList<double>{-1, -1};
        QTest::newRow("more than announced")
            << quint64{1000} << QList<quint64>{250, 900} << QList<double>{0.25, 1.0};
        QTest::newRow("exact") << quint64{3} << QList<quint64>{1, 2} << QList<double>{1.0 / 3, 1.0};
    }
    void downloadFraction()
    {
        QFETCH(quint64, expected);
        QFETCH(QList<quint64>, chunks);
        QFETCH(QList<double>, fractions);
        Updater& updater = made();
        // A second download starts counting afresh.
        for (int round = 0; round < 2; ++round) {
            updater.showDownloadInitiated(cancel());
            QCOMPARE(updater.phase(), Phase::downloading(std::nullopt));
            updater.showDownloadDidReceiveExpectedContentLength(expected);
            for (qsizetype i = 0; i < chunks.size(); ++i) {
                updater.showDownloadDidReceiveDataOfLength(chunks[i]);
                const auto fraction = fractions[i] < 0 ? std::nullopt : std::optional(fractions[i]);
                QCOMPARE(updater.phase(), Phase::downloading(fraction));
            }
        }
    }

    void answersAreGivenOnce()
    {
        Updater& updater = made();
        updater.showUpdateFound(QStringLiteral("1.2"), reply());
        QCOMPARE(updater.phase(), Phase::available(QStringLiteral("1.2")));
        updater.later();
        updater.showUpdateNotFound();
        updater.later();
        QCOMPARE(m_replies, QList<UpdateChoice>{UpdateChoice::dismiss});
        QCOMPARE(updater.phase(), Phase::idle());

        updater.showUpdateFound(QStringLiteral("1.3"), reply());
        updater.install();
        updater.install();
        QCOMPARE(m_replies.last(), UpdateChoice::install);
        QCOMPARE(m_replies.size(), 2);
        QCOMPARE(updater.phase(), Phase::available(QStringLiteral("1.3"))); // left to the reports

        updater.showDownloadInitiated(cancel());
        updater.cancelDownload();
        updater.cancelDownload();
        QCOMPARE(m_cancels, 1);
        QCOMPARE(updater.phase(), Phase::idle());
    }

    void reportsSetThePhase()
    {
        Updater& updater = made();
        QVERIFY(updater.showUpdatePermissionRequest());
        updater.showUserInitiatedUpdateCheck(cancel());
        QCOMPARE(updater.phase(), Phase::of(Kind::checking));
        updater.showDownloadInitiated(cancel());
        updater.showDownloadDidStartExtractingUpdate();
        QCOMPARE(updater.phase(), Phase::of(Kind::preparing));
        updater.cancelDownload(); // the download's cancel went with the extraction
        QCOMPARE(m_cancels, 0);
        updater.showExtractionReceivedProgress(0.5);
        QCOMPARE(updater.phase(), Phase::of(Kind::preparing));
        updater.showReadyToInstallAndRelaunch(reply());
        QCOMPARE(m_replies, QList<UpdateChoice>{UpdateChoice::install});
        QCOMPARE(updater.phase(), Phase::of(Kind::installing));
        updater.showUpdateInstalledAndRelaunched();
        QCOMPARE(updater.phase(), Phase::idle());
        updater.showUpdaterError(QStringLiteral("olmadı"));
        QCOMPARE(updater.phase(), Phase::failed(QStringLiteral("olmadı")));
    }

    void dismissKeepsOnlyResults_data()
    {
        QTest::addColumn<Phase>("before");
        QTest::addColumn<Phase>("after");
        QTest::newRow("up to date") << Phase::of(Kind::upToDate) << Phase::of(Kind::upToDate);
        QTest::newRow("failed") << Phase::failed(QStringLiteral("x"))
                                << Phase::failed(QStringLiteral("x"));
        QTest::newRow("available") << Phase::available(QStringLiteral("2")) << Phase::idle();
        QTest::newRow("downloading") << Phase::downloading(0.5) << Phase::idle();
    }
    void dismissKeepsOnlyResults()
    {
        QFETCH(Phase, before);
        QFETCH(Phase, after);
        Updater& updater = made();
        updater.showUpdateFound(QStringLiteral("2"), reply());
        updater.showUserInitiatedUpdateCheck(cancel());
        switch (before.kind) {
        case Kind::upToDate: updater.showUpdateNotFound(); break;
        case Kind::failed: updater.showUpdaterError(before.message); break;
        case Kind::available: updater.showUpdateFound(before.version, reply()); break;
        default:
            updater.showDownloadInitiated(cancel());
            updater.showDownloadDidReceiveExpectedContentLength(2);
            updater.showDownloadDidReceiveDataOfLength(1);
        }
        QCOMPARE(updater.phase(), before);
        updater.dismissUpdateInstallation();
        QCOMPARE(updater.phase(), after);
        // Neither handler is called once dismissed.
        updater.later();
        updater.cancelDownload();
        QVERIFY(m_replies.isEmpty());
        QCOMPARE(m_cancels, 0);
    }
};

QTEST_GUILESS_MAIN(UpdaterTest)
#include "UpdaterTest.moc"
