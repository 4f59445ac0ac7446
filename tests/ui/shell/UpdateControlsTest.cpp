#include "CheckForUpdatesButton.h"
#include "Find.h"
#include "UpdateAvailableRow.h"
#include "UpdateSettings.h"
#include "Updater.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QVBoxLayout>

namespace {

using Phase = Updater::Phase;
using Kind = Phase::Kind;

class CountingBackend : public UpdateBackend {
public:
    int checks = 0;
    bool automaticOn = true;
    QString start(UpdateDriver&) override { return {}; }
    void checkForUpdates() override { ++checks; }
    bool canCheckForUpdates() const override { return true; }
    bool automaticallyChecksForUpdates() const override { return automaticOn; }
    void setAutomaticallyChecksForUpdates(bool on) override { automaticOn = on; }
};

const QStringList actions = {QStringLiteral("checkNow"),       QStringLiteral("updateBusy"),
                             QStringLiteral("later"),          QStringLiteral("install"),
                             QStringLiteral("updateProgress"), QStringLiteral("cancelDownload")};

} // namespace

Q_DECLARE_METATYPE(Phase)

// The three update controls over one updater: what each phase shows, and where each press goes.
class UpdateControlsTest : public QObject {
    Q_OBJECT

    CountingBackend* m_backend = nullptr;
    std::unique_ptr<Updater> m_updater;
    std::unique_ptr<QWidget> m_window;
    UpdateSettings* m_settings = nullptr;
    UpdateAvailableRow* m_row = nullptr;
    CheckForUpdatesButton* m_menuItem = nullptr;
    int m_opened = 0;
    QList<UpdateChoice> m_replies;
    int m_cancels = 0;

    void build(bool available)
    {
        auto backend = std::make_unique<CountingBackend>();
        m_backend = backend.get();
        m_updater = std::make_unique<Updater>(available ? std::move(backend) : nullptr);
        m_window = std::make_unique<QWidget>();
        m_settings = new UpdateSettings(*m_updater, m_window.get());
        m_row = new UpdateAvailableRow(
            *m_updater, [this] { ++m_opened; }, m_window.get());
        m_menuItem = new CheckForUpdatesButton(
            *m_updater, [this] { ++m_opened; }, m_window.get());
        auto* column = new QVBoxLayout(m_window.get());
        column->addWidget(m_settings);
        column->addWidget(m_row);
        column->addStretch(1);
        m_window->setFixedSize(420, 300);
        m_window->show();
    }
    // Brings the updater to `phase` the way its machinery would.
    void reach(const Phase& phase)
    {
        const auto reply = [this](UpdateChoice choice) { m_replies.append(choice); };
        const auto cancel = [this] { ++m_cancels; };
        switch (phase.kind) {
        case Kind::idle: break;
        case Kind::checking: m_updater->showUserInitiatedUpdateCheck(cancel); break;
        case Kind::available: m_updater->showUpdateFound(phase.version, reply); break;
        case Kind::downloading:
            m_updater->showDownloadInitiated(cancel);
            m_updater->showDownloadDidReceiveExpectedContentLength(phase.fraction ? 10 : 0);
            m_updater->showDownloadDidReceiveDataOfLength(phase.fraction ? 5 : 1);
            break;
        case Kind::preparing: m_updater->showDownloadDidStartExtractingUpdate(); break;
        case Kind::installing: m_updater->showInstallingUpdate(); break;
        case Kind::upToDate: m_updater->showUpdateNotFound(); break;
        case Kind::failed: m_updater->showUpdaterError(phase.message); break;
        }
        QCOMPARE(m_updater->phase(), phase);
    }
    QStringList shownActions() const
    {
        QStringList shown;
        for (const QString& name : actions) {
            if (Find::named(m_settings, name)->isVisibleTo(m_settings)) {
                shown.append(name);
            }
        }
        return shown;
    }
    QAbstractButton* button(const QString& name) const
    {
        return Find::named<QAbstractButton>(m_settings, name);
    }

private slots:
    void init()
    {
        m_opened = 0;
        m_replies.clear();
        m_cancels = 0;
    }

    void unavailableUpdatesShowNoActivity()
    {
        build(false);
        QVERIFY(!m_menuItem->isEnabled());
        QCOMPARE(shownActions(), QStringList{QStringLiteral("checkNow")});
        QVERIFY(!button(QStringLiteral("checkNow"))->isEnabled());
        QVERIFY(
            !Find::named<QCheckBox>(m_settings, QStringLiteral("Güncellemeleri otomatik denetle"))
                 ->isEnabled());
        QVERIFY(!m_row->isVisibleTo(m_window.get()));
    }

    void phases_data()
    {
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("idle") << Phase::idle() << QString() << QStringList{actions[0]};
        QTest::newRow("checking") << Phase::of(Kind::checking) << "Denetleniyor…"
                                  << QStringList{actions[1]};
        QTest::newRow("available") << Phase::available(QStringLiteral("1.2"))
                                   << "Yeni sürüm var: 1.2" << QStringList{actions[2], actions[3]};
        QTest::newRow("downloading, length unknown")
            << Phase::downloading(std::nullopt) << "İndiriliyor…"
            << QStringList{actions[1], actions[5]};
        QTest::newRow("downloading, half")
            << Phase::downloading(0.5) << "İndiriliyor…" << QStringList{actions[4], actions[5]};
        QTest::newRow("preparing")
            << Phase::of(Kind::preparing) << "Hazırlanıyor…" << QStringList{actions[1]};
        QTest::newRow("installing")
            << Phase::of(Kind::installing) << "Kuruluyor. Leaflow yeniden açılacak."
            << QStringList{actions[1]};
        QTest::newRow("up to date")
            << Phase::of(Kind::upToDate) << "Güncelsin. En yeni sürümü kullanıyorsun."
            << QStringList{actions[0]};
        QTest::newRow("failed") << Phase::failed(QStringLiteral("Sunucu yok.")) << "Sunucu yok."
                                << QStringList{actions[0]};
    }
    void phases()
    {
        QFETCH(Phase, phase);
        QFETCH(QString, status);
        QFETCH(QStringList, shown);
        build(true);
        reach(phase);
        QCOMPARE(shownActions(), shown);
        auto* line = Find::named<QLabel>(m_settings, QStringLiteral("updateStatus"));
        QCOMPARE(line->isVisibleTo(m_settings) ? line->text() : QString(), status);
        QCOMPARE(m_row->isVisibleTo(m_window.get()), phase.kind == Kind::available);
        if (phase.fraction) {
            const auto* bar =
                Find::named<QProgressBar>(m_settings, QStringLiteral("updateProgress"));
            QCOMPARE(double(bar->value()) / bar->maximum(), *phase.fraction);
            QCOMPARE(bar->width(), UpdateSettings::progressWidth);
        }
    }

    void pressesReachTheUpdater()
    {
        build(true);
        QTest::mouseClick(button(QStringLiteral("checkNow")), Qt::LeftButton);
        QCOMPARE(m_backend->checks, 1);
        reach(Phase::available(QStringLiteral("2.0")));
        QCOMPARE(m_row->label(), QStringLiteral("Yeni sürüm var: 2.0"));
        // The row and the menu item open the settings; with an update waiting, no new check.
        QTest::mouseClick(m_row, Qt::LeftButton);
        m_menuItem->trigger();
        QCOMPARE(m_opened, 2);
        QCOMPARE(m_backend->checks, 1);
        QTest::mouseClick(button(QStringLiteral("later")), Qt::LeftButton);
        reach(Phase::available(QStringLiteral("2.0")));
        QTest::mouseClick(button(QStringLiteral("install")), Qt::LeftButton);
        QCOMPARE(m_replies, (QList<UpdateChoice>{UpdateChoice::dismiss, UpdateChoice::install}));
        reach(Phase::downloading(std::nullopt));
        QTest::mouseClick(button(QStringLiteral("cancelDownload")), Qt::LeftButton);
        QCOMPARE(m_cancels, 1);
        QCOMPARE(shownActions(), QStringList{QStringLiteral("checkNow")});
        m_menuItem->trigger();
        QCOMPARE(m_backend->checks, 2);
        auto* automatic =
            Find::named<QCheckBox>(m_settings, QStringLiteral("Güncellemeleri otomatik denetle"));
        automatic->click();
        QVERIFY(!m_updater->automatic() && !m_backend->automaticOn);
    }

    void longFailureIsCutToTwoLines()
    {
        build(true);
        reach(Phase::failed(QStringLiteral("Bağlantı kurulamadı. ").repeated(12)));
        auto* line = Find::named<QLabel>(m_settings, QStringLiteral("updateStatus"));
        QTRY_VERIFY(line->height() > line->fontMetrics().lineSpacing());
        QVERIFY(line->height() <= 2 * line->fontMetrics().lineSpacing());
    }
};

QTEST_MAIN(UpdateControlsTest)
#include "UpdateControlsTest.moc"
