#include "ScriptedBackend.h"

#include <QTest>

using Kind = Phase::Kind;

// The update state with the machinery replaced: every report's effect and every answer given.
class UpdaterTest : public QObject {
    Q_OBJECT

    ScriptedBackend* m_backend = nullptr;
    std::unique_ptr<Updater> m_updater;
    QList<UpdateChoice> m_replies;
    int m_cancels = 0;
    const UpdateDriver::Reply m_reply = [this](UpdateChoice choice) { m_replies.append(choice); };
    const UpdateDriver::Cancel m_cancel = [this] { ++m_cancels; };

    Updater& made(const QString& failure = {})
    {
        auto backend = std::make_unique<ScriptedBackend>();
        backend->failure = failure;
        m_backend = backend.get();
        m_updater = std::make_unique<Updater>(std::move(backend));
        return *m_updater;
    }

private slots:
    void init()
    {
        m_replies.clear();
        m_cancels = 0;
    }

    void mirrorsTheMachineryAndWritesOnlyChanges()
    {
        Updater& broken = made(QStringLiteral("anahtar yok")); // absent when it cannot start
        QVERIFY(!broken.updater() && !broken.canCheck());
        QCOMPARE(broken.phase(), Phase::failed(QStringLiteral("anahtar yok")));
        Updater& updater = made();
        QVERIFY(updater.updater() && updater.canCheck() && updater.automatic());
        updater.setAutomatic(true);
        updater.setAutomatic(false);
        QCOMPARE(m_backend->automaticWrites, QList<bool>{false});
        m_backend->announce(false);
        QVERIFY(!updater.canCheck());
    }

    // Clamped at 1, and a second download counts afresh (an unknown length: UpdateBackendTest).
    void downloadFraction()
    {
        Updater& updater = made();
        for (int round = 0; round < 2; ++round) {
            updater.downloadStarted(m_cancel);
            QCOMPARE(updater.phase(), Phase::downloading(std::nullopt));
            updater.downloadLengthKnown(1000);
            updater.downloadReceived(250);
            QCOMPARE(updater.phase(), Phase::downloading(0.25));
            updater.downloadReceived(900);
            QCOMPARE(updater.phase(), Phase::downloading(1.0));
        }
    }

    void answersAreGivenOnce()
    {
        Updater& updater = made();
        updater.updateFound(QStringLiteral("1.2"), m_reply);
        updater.later();
        updater.noUpdateFound();
        updater.later(); // only resets the phase
        QCOMPARE(m_replies, QList<UpdateChoice>{UpdateChoice::dismiss});
        QCOMPARE(updater.phase(), Phase::idle());
        updater.updateFound(QStringLiteral("1.3"), m_reply);
        updater.install();
        updater.install();
        QCOMPARE(m_replies.size(), 2);
        QCOMPARE(updater.phase(), Phase::available(QStringLiteral("1.3"))); // left to the reports
        updater.downloadStarted(m_cancel);
        updater.signatureCheckStarted(); // the download can no longer be cancelled
        updater.cancelDownload();
        updater.downloadStarted(m_cancel);
        updater.cancelDownload();
        updater.cancelDownload();
        QCOMPARE(m_cancels, 1);
        QCOMPARE(updater.phase(), Phase::idle());
        // A verified package is installed without a second question.
        updater.packageVerified(m_reply);
        QCOMPARE(m_replies.last(), UpdateChoice::install);
        QCOMPARE(updater.phase(), Phase::of(Kind::installing));
    }

    void sessionEndKeepsOnlyResults_data()
    {
        QTest::addColumn<Phase>("before");
        QTest::addColumn<bool>("kept");
        QTest::newRow("up to date") << Phase::of(Kind::upToDate) << true;
        QTest::newRow("failed") << Phase::failed(QStringLiteral("x")) << true;
        QTest::newRow("reopen") << Phase::reopen(QStringLiteral("y")) << true;
        QTest::newRow("available") << Phase::available(QStringLiteral("2")) << false;
    }
    void sessionEndKeepsOnlyResults()
    {
        QFETCH(Phase, before);
        QFETCH(bool, kept);
        Updater& updater = made();
        updater.updateFound(QStringLiteral("2"), m_reply);
        updater.userCheckStarted(m_cancel);
        reach(updater, before, m_reply, m_cancel);
        QCOMPARE(updater.phase(), before);
        updater.sessionEnded();
        QCOMPARE(updater.phase(), kept ? before : Phase::idle());
        updater.later(); // neither handler is called once the session ended
        updater.cancelDownload();
        QVERIFY(m_replies.isEmpty() && m_cancels == 0);
    }
};

QTEST_GUILESS_MAIN(UpdaterTest)
#include "UpdaterTest.moc"
