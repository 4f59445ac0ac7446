#include "Find.h"
#include "ScriptedBackend.h"
#include "ui/shell/CheckForUpdatesButton.h"
#include "ui/shell/UpdateAvailableRow.h"
#include "ui/shell/UpdateSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QVBoxLayout>

using Kind = Phase::Kind;

// The three update controls over one updater: what each phase shows, and where each press goes.
class UpdateControlsTest : public QObject {
    Q_OBJECT

    const QStringList m_actions = {"checkNow", "updateBusy",     "later",
                                   "install",  "updateProgress", "cancelDownload"};
    ScriptedBackend* m_backend = nullptr;
    std::unique_ptr<Updater> m_updater;
    std::unique_ptr<QWidget> m_window;
    UpdateSettings* m_settings = nullptr;
    UpdateAvailableRow* m_row = nullptr;
    CheckForUpdatesButton* m_menuItem = nullptr;
    int m_opened = 0;
    QList<UpdateChoice> m_replies;
    const UpdateDriver::Reply m_reply = [this](UpdateChoice choice) { m_replies.append(choice); };

    void build(bool available)
    {
        auto backend = std::make_unique<ScriptedBackend>();
        m_backend = backend.get();
        m_updater = std::make_unique<Updater>(available ? std::move(backend) : nullptr);
        m_window = std::make_unique<QWidget>();
        const auto open = [this] { ++m_opened; };
        m_settings = new UpdateSettings(*m_updater, m_window.get());
        m_row = new UpdateAvailableRow(*m_updater, open, m_window.get());
        m_menuItem = new CheckForUpdatesButton(*m_updater, open, m_window.get());
        auto* column = new QVBoxLayout(m_window.get());
        column->addWidget(m_settings);
        column->addWidget(m_row);
        column->addStretch(1);
        m_window->setFixedSize(420, 300);
        m_window->show();
    }
    QStringList shownActions() const
    {
        QStringList shown;
        for (const QString& name : m_actions) {
            if (Find::named(m_settings, name)->isVisibleTo(m_settings)) {
                shown.append(name);
            }
        }
        return shown;
    }
    void press(const QString& name)
    {
        QTest::mouseClick(Find::named<QAbstractButton>(m_settings, name), Qt::LeftButton);
    }

private slots:
    void unavailableUpdatesShowNoActivity()
    {
        build(false);
        QCOMPARE(shownActions(), QStringList{"checkNow"});
        QVERIFY(!Find::named(m_settings, "checkNow")->isEnabled());
        QVERIFY(
            !Find::named<QCheckBox>(m_settings, "Güncellemeleri otomatik denetle")->isEnabled());
        QVERIFY(!m_row->isVisibleTo(m_window.get()));
    }

    void phases_data()
    {
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("idle") << Phase::idle() << QString() << QStringList{"checkNow"};
        QTest::newRow("checking") << Phase::of(Kind::checking) << "Denetleniyor…"
                                  << QStringList{"updateBusy"};
        QTest::newRow("available")
            << Phase::available("1.2") << "Yeni sürüm var: 1.2" << QStringList{"later", "install"};
        QTest::newRow("downloading, length unknown")
            << Phase::downloading(std::nullopt) << "İndiriliyor…"
            << QStringList{"updateBusy", "cancelDownload"};
        QTest::newRow("downloading, half") << Phase::downloading(0.5) << "İndiriliyor…"
                                           << QStringList{"updateProgress", "cancelDownload"};
        QTest::newRow("installing, 40 %")
            << Phase::installing(0.4) << "Kuruluyor. Leaflow yeniden açılacak."
            << QStringList{"updateProgress"};
        QTest::newRow("up to date")
            << Phase::of(Kind::upToDate) << "Güncelsin. En yeni sürümü kullanıyorsun."
            << QStringList{"checkNow"};
        const QString failure = QStringLiteral("Bağlantı kurulamadı. ").repeated(12);
        QTest::newRow("failed, long")
            << Phase::failed(failure) << failure << QStringList{"checkNow"};
    }
    void phases()
    {
        QFETCH(Phase, phase);
        QFETCH(QString, status);
        QFETCH(QStringList, shown);
        build(true);
        reach(*m_updater, phase, m_reply);
        QCOMPARE(shownActions(), shown);
        auto* line = Find::named<QLabel>(m_settings, "updateStatus");
        QCOMPARE(line->isVisibleTo(m_settings) ? line->text() : QString(), status);
        QCOMPARE(m_row->isVisibleTo(m_window.get()), phase.kind == Kind::available);
        if (phase.fraction) {
            const auto* bar = Find::named<QProgressBar>(m_settings, "updateProgress");
            QCOMPARE(double(bar->value()) / bar->maximum(), *phase.fraction);
        }
        if (phase.kind == Kind::failed) { // cut to two lines
            QTRY_VERIFY(line->height() > line->fontMetrics().lineSpacing());
            QVERIFY(line->height() <= 2 * line->fontMetrics().lineSpacing());
        }
    }

    void pressesReachTheUpdater()
    {
        build(true);
        press("checkNow");
        QCOMPARE(m_backend->checks, 1);
        reach(*m_updater, Phase::available("2.0"), m_reply);
        QCOMPARE(m_row->label(), "Yeni sürüm var: 2.0");
        // The row and the menu item open the settings; with an update waiting, no new check.
        QTest::mouseClick(m_row, Qt::LeftButton);
        m_menuItem->trigger();
        QCOMPARE(m_opened, 2);
        QCOMPARE(m_backend->checks, 1);
        press("later");
        reach(*m_updater, Phase::available("2.0"), m_reply);
        press("install");
        QCOMPARE(m_replies, (QList<UpdateChoice>{UpdateChoice::dismiss, UpdateChoice::install}));
        reach(*m_updater, Phase::downloading(std::nullopt), m_reply);
        press("cancelDownload");
        QCOMPARE(shownActions(), QStringList{"checkNow"});
        m_menuItem->trigger();
        QCOMPARE(m_backend->checks, 2);
        Find::named<QCheckBox>(m_settings, "Güncellemeleri otomatik denetle")->click();
        QVERIFY(!m_updater->automatic() && !m_backend->automaticOn);
    }
};

QTEST_MAIN(UpdateControlsTest)
#include "UpdateControlsTest.moc"
