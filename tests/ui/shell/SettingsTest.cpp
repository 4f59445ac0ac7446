#include "AboutView.h"
#include "AboutWindow.h"
#include "AppInfo.h"
#include "AppLanguage.h"
#include "BrandHeader.h"
#include "Find.h"
#include "LanguagePicker.h"
#include "MainWindow.h"
#include "Preferences.h"
#include "PrivacyNote.h"
#include "SettingsWindow.h"
#include "ShellWindows.h"
#include "StoreTestCase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

// The settings and About windows and the language choice, over a real Store and settings file:
// how they are reached, what they remember, and that each control and its setting move together.
class SettingsTest : public StoreTestCase {
    Q_OBJECT

    std::unique_ptr<MainWindow> m_window;

    SettingsWindow* openSettings()
    {
        m_window = std::make_unique<MainWindow>(store());
        m_window->windows().showSettings();
        return m_window->windows().settings();
    }
    template <class T = QWidget>
    T* in(const QString& name)
    {
        return Find::named<T>(m_window->windows().settings(), name);
    }
    void addHistory(int records)
    {
        AppData data = store().data();
        for (int i = 0; i < records; ++i) {
            HistoryItem item;
            item.id = QUuid::createUuid();
            item.date = QDateTime::currentDateTimeUtc();
            item.tool = QStringLiteral("merge");
            item.outputs = {m_fixture->path(QStringLiteral("out%1.pdf").arg(i))};
            data.recordRun(item);
        }
        SavedSignature signature;
        signature.id = QUuid::createUuid();
        signature.name = QStringLiteral("İmza 1");
        signature.strokes = {{{0.1, 0.1}, {0.9, 0.9}}};
        data.signatures.append(signature);
        store().setData(data);
    }

private slots:
    void cleanup() override
    {
        m_window.reset();
        StoreTestCase::cleanup();
    }

    void menusAndBrandHeaderOpenTheOneWindowOfEach()
    {
        m_window = std::make_unique<MainWindow>(store());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_Comma, Qt::ControlModifier);
        SettingsWindow* settings = m_window->windows().settings();
        QVERIFY(settings && settings->isVisible());
        QVERIFY(!settings->isModal());
        QCOMPARE(settings->size(), SettingsWindow::fixedSize);
        // The gear brings the same window forward rather than a second one.
        emit m_window->findChild<BrandHeader*>()->settingsRequested();
        QCOMPARE(m_window->findChildren<SettingsWindow*>().size(), 1);

        QMenu* help = m_window->menuBar()->actions().last()->menu();
        QCOMPARE(help->title(), QStringLiteral("Yardım"));
        const QList<QAction*> items = help->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(1)->text(), QStringLiteral("Güncellemeleri denetle…"));
        QVERIFY(!items.at(1)->isEnabled());
        items.at(0)->trigger();
        QVERIFY(m_window->windows().about()->isVisible());
        emit m_window->findChild<BrandHeader*>()->aboutRequested();
        QCOMPARE(m_window->findChildren<AboutWindow*>().size(), 1);
    }

    // Each opens centred over the main window, wherever that is, and cannot be maximised.
    void windowsOpenOverTheMainWindow_data()
    {
        QTest::addColumn<bool>("settings");
        QTest::newRow("settings") << true;
        QTest::newRow("About") << false;
    }
    void windowsOpenOverTheMainWindow()
    {
        QFETCH(bool, settings);
        m_window = std::make_unique<MainWindow>(store());
        m_window->move(170, 90);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const auto openOver = [&]() -> QWidget* {
            settings ? m_window->windows().showSettings() : m_window->windows().showAbout();
            QWidget* shown = settings ? static_cast<QWidget*>(m_window->windows().settings())
                                      : m_window->windows().about();
            const bool exposed = QTest::qWaitForWindowExposed(shown);
            const QPoint off = shown->geometry().center() - m_window->geometry().center();
            return exposed && off.manhattanLength() <= 1 ? shown : nullptr;
        };
        QPointer<QWidget> shown = openOver();
        QVERIFY(shown);
        QCOMPARE(shown->minimumSize(), shown->maximumSize());
        QVERIFY(!shown->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(shown->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        // Closed and opened again after the main window moved: over it again.
        shown->close();
        QTRY_VERIFY(!shown);
        m_window->move(40, 30);
        QVERIFY(openOver());
    }

    void paneIsRemembered_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("opens");
        QTest::newRow("nothing stored") << QVariant() << 0;
        QTest::newRow("Veri") << QVariant("Veri") << 1;
        QTest::newRow("Hakkında") << QVariant("Hakkında") << 2;
        QTest::newRow("unknown value") << QVariant("Gelişmiş") << 0;
        QTest::newRow("English title") << QVariant("Data") << 0;
    }
    void paneIsRemembered()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, opens);
        if (stored.isValid()) {
            QSettings().setValue("settingsPane", stored);
        }
        auto* tabs = openSettings()->findChild<QTabWidget*>();
        QCOMPARE(tabs->currentIndex(), opens);
        tabs->setCurrentIndex((opens + 1) % 3);
        const QStringList raw = {"Genel", "Veri", "Hakkında"};
        QCOMPARE(QSettings().value("settingsPane").toString(), raw.at((opens + 1) % 3));
        // Asked for the general pane (where updates are answered), an open window turns to it.
        m_window->windows().showSettingsPane(SettingsPane::general);
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void controlsAndSettingsMoveTogether()
    {
        openSettings();
        auto* notice =
            in<QCheckBox>(QStringLiteral("Pencere kapanınca menü çubuğu bildirimini göster"));
        auto* reveal = in<QCheckBox>(QStringLiteral("İşlem bitince dosyayı Finder'da göster"));
        QVERIFY(notice->isChecked());
        QVERIFY(!reveal->isChecked());
        notice->click();
        QCOMPARE(QSettings().value("backgroundNoticeMuted"), QVariant(true));
        // The notice's own "Bir daha gösterme" and the toggle are one setting.
        Preferences::setNoticeMuted(false);
        QVERIFY(notice->isChecked());
        reveal->click();
        QCOMPARE(QSettings().value("revealAfter"), QVariant(true));

        // The compress screen and this picker edit one level.
        auto* level = m_window->windows().settings()->findChildren<QComboBox*>().at(1);
        QCOMPARE(level->currentText(), QStringLiteral("Dengeli"));
        store().setCompressionLevel(CompressionLevel::strong);
        QCOMPARE(level->currentText(), QStringLiteral("Güçlü"));
        const QList<QLabel*> labels = m_window->windows().settings()->findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
            return label->text() ==
                   QStringLiteral("En küçük dosya. Görsellerde bozulma fark edilir.");
        }));
        level->setCurrentIndex(0);
        emit level->activated(0);
        QCOMPARE(store().compressionLevel(), CompressionLevel::light);
        QCOMPARE(QSettings().value("compressionLevel").toString(), QStringLiteral("light"));
        // The data pane shows where the data lives.
        in<QPushButton>(QStringLiteral("revealFolder"))->click();
        QCOMPARE(m_fixture->reveal.revealed,
                 QList<QStringList>{{QDir(store().dataFile().folder()).absolutePath()}});
    }

    void clearingTheHistoryAsksAndKeepsSignatures_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("Temizle") << "Temizle" << true;
        QTest::newRow("Vazgeç") << "Vazgeç" << false;
    }
    void clearingTheHistoryAsksAndKeepsSignatures()
    {
        QFETCH(QString, answer);
        QFETCH(bool, cleared);
        openSettings();
        auto* clear = in<QPushButton>(QStringLiteral("Geçmişi temizle…"));
        QVERIFY(!clear->isEnabled());
        addHistory(3);
        QVERIFY(clear->isEnabled());
        QCOMPARE(in<QLabel>(QStringLiteral("historyCount"))->text(), QStringLiteral("3"));
        clear->click();
        auto* box = m_window->windows().settings()->findChild<QMessageBox*>();
        QCOMPARE(box->text(), QStringLiteral("Geçmiş temizlensin mi?"));
        Find::named<QPushButton>(box, answer)->click();
        QCOMPARE(in<QLabel>(QStringLiteral("historyCount"))->text(), cleared ? "0" : "3");
        QCOMPARE(in<QLabel>(QStringLiteral("signatureCount"))->text(), QStringLiteral("1"));
        QCOMPARE(clear->isEnabled(), !cleared);
        // What the next launch reads.
        QCOMPARE(store().dataFile().load()->history.size(), cleared ? 0 : 3);
    }

    void languagePicker_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<int>("choose");
        QTest::addColumn<QVariant>("stores");
        QTest::newRow("nothing stored, choose English")
            << QVariant() << "Sistem dili" << 1 << QVariant(QStringList{"en"});
        QTest::newRow("es-MX then en, choose system")
            << QVariant(QStringList{"es-MX", "en"}) << "Español" << 0 << QVariant();
        QTest::newRow("only fr, choose Türkçe")
            << QVariant(QStringList{"fr"}) << "Sistem dili" << 2 << QVariant(QStringList{"tr"});
    }
    void languagePicker()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, shows);
        QFETCH(int, choose);
        QFETCH(QVariant, stores);
        if (stored.isValid()) {
            QSettings().setValue("AppleLanguages", stored);
        }
        LanguagePicker picker;
        auto* box = picker.findChild<QComboBox*>();
        QCOMPARE(box->currentText(), shows);
        QCOMPARE(box->count(), 4);
        const AppLanguage before = picker.choice();
        box->setCurrentIndex(choose);
        emit box->activated(choose);
        // Stored at once: the key itself is gone for the system language.
        QCOMPARE(QSettings().value("AppleLanguages"), stores);
        QCOMPARE(QSettings().contains("AppleLanguages"), stores.isValid());
        QVERIFY(picker.offersRestart());
        box->setCurrentIndex(static_cast<int>(before));
        emit box->activated(static_cast<int>(before));
        QVERIFY(!picker.offersRestart());
    }

    void restartRelaunchesThroughTheApplication()
    {
        // As at start-up: the language in force is the one stored now.
        AppLanguages::installTranslator(*QCoreApplication::instance());
        int relaunched = 0;
        LanguagePicker::setRelaunch([&relaunched] { return ++relaunched, true; });
        LanguagePicker picker;
        picker.findChild<QComboBox*>()->setCurrentIndex(3);
        emit picker.findChild<QComboBox*>()->activated(3);
        Find::named<QPushButton>(&picker, QStringLiteral("Yeniden aç"))->click();
        QCOMPARE(relaunched, 1);
        LanguagePicker::setRelaunch({});
        // A second window of the same run still offers the restart the first one did.
        QVERIFY(LanguagePicker().offersRestart());
    }

    void systemLanguagesNamingNoneOfOursGiveEnglish_data()
    {
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<AppLanguage>("effective");
        QTest::newRow("German only") << QStringList{"de-DE", "de"} << AppLanguage::en;
        QTest::newRow("none") << QStringList{} << AppLanguage::en;
        QTest::newRow("German, then Spanish") << QStringList{"de", "es-ES"} << AppLanguage::es;
        QTest::newRow("Turkish") << QStringList{"tr-TR"} << AppLanguage::tr;
    }
    void systemLanguagesNamingNoneOfOursGiveEnglish()
    {
        QFETCH(QStringList, system);
        QFETCH(AppLanguage, effective);
        QCOMPARE(AppLanguages::effective(system), effective);
        AppLanguages::select(AppLanguage::tr);
        QCOMPARE(AppLanguages::effective(system), AppLanguage::tr);
    }

    void fileDialogSpeaksTheInterfaceLanguage_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("Türkçe") << AppLanguage::tr << QStringList{"&Aç", "İptal"};
        QTest::newRow("English") << AppLanguage::en << QStringList{"&Open", "Cancel"};
        QTest::newRow("Español") << AppLanguage::es << QStringList{"&Abrir", "Cancelar"};
    }
    void fileDialogSpeaksTheInterfaceLanguage()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QStringList, buttons);
        AppLanguages::installTranslator(*QCoreApplication::instance(), language);
        const auto restore = qScopeGuard([] {
            AppLanguages::installTranslator(*QCoreApplication::instance(), AppLanguage::tr);
        });
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList shown;
        for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons()) {
            shown << button->text();
        }
        shown.sort();
        buttons.sort();
        QCOMPARE(shown, buttons);
    }

    void aboutWindowClosesOnReturnAndEscape_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void aboutWindowClosesOnReturnAndEscape()
    {
        QFETCH(int, key);
        m_window = std::make_unique<MainWindow>(store());
        m_window->windows().showAbout();
        QPointer<AboutWindow> about = m_window->windows().about();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QVERIFY(Find::named<QPushButton>(about, QStringLiteral("Kapat")));
        QCOMPARE(about->width(), AboutWindow::fixedWidth);
        addHistory(2);
        QCOMPARE(Find::named<QLabel>(about, QStringLiteral("counts"))->text(),
                 QStringLiteral("Kayıtlı imza: 1 · Geçmiş kaydı: 2"));
        QTest::keyClick(about, static_cast<Qt::Key>(key));
        QTRY_VERIFY(!about);
    }

    // The pane has no close button, and no mail button without an address; a version and build
    // left empty fall back.
    void aboutPaneWithoutCloseMailOrVersion()
    {
        AboutView pane(store(), false);
        QVERIFY(!Find::named<QPushButton>(&pane, QStringLiteral("Kapat")));
        QCOMPARE(AppInfo::supportAddress(), QString());
        QVERIFY(!Find::named<QPushButton>(&pane, QStringLiteral("E-posta gönder")));
        QCOMPARE(AboutView::mailLink("help@example.org").toString(),
                 QStringLiteral("mailto:help@example.org?subject=Leaflow"));
        QCOMPARE(AboutView::versionLine(AppInfo::versionOr(""), AppInfo::buildOr(" ")),
                 QStringLiteral("Sürüm 1.0 (1) · Linux"));
        QCOMPARE(AppInfo::version(), QStringLiteral(LEAFLOW_PROJECT_VERSION));
        QCOMPARE(AppInfo::build(), QStringLiteral("1"));
    }

    // The shield stands beside its text, which says whether this build ever goes online.
    void privacyNoteTellsWhetherTheAppGoesOnline_data()
    {
        QTest::addColumn<bool>("checks");
        QTest::addColumn<QString>("ending");
        QTest::newRow("updates on") << true
                                    << "Uygulama internete yalnız yeni sürüm var mı diye bakmak "
                                       "için bağlanır.";
        QTest::newRow("updates off") << false << "Uygulama internete hiç bağlanmaz.";
    }
    void privacyNoteTellsWhetherTheAppGoesOnline()
    {
        QFETCH(bool, checks);
        QFETCH(QString, ending);
        // Taller than it needs, as the settings pane makes it.
        PrivacyNote note(checks);
        note.resize(420, 3 * note.heightForWidth(420));
        note.show();
        QVERIFY(QTest::qWaitForWindowExposed(&note));
        const auto* text = Find::named<QLabel>(&note, QStringLiteral("privacy"));
        QVERIFY(text->text().endsWith(ending));
        const QWidget* shield = Find::named(&note, QStringLiteral("shield"));
        QVERIFY(shield->geometry().right() < text->geometry().left());
        QCOMPARE(shield->y(), text->y());
        QCOMPARE(text->height(), text->heightForWidth(text->width()));
        // This build names no update feed.
        AboutView about(store(), false);
        QVERIFY(Find::named<QLabel>(&about, QStringLiteral("privacy"))
                    ->text()
                    .endsWith(QStringLiteral("hiç bağlanmaz.")));
    }
};

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
