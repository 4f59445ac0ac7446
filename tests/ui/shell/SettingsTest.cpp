#include "AccessTree.h"
#include "Find.h"
#include "StoreTestCase.h"
#include "core/AppInfo.h"
#include "core/AppLanguage.h"
#include "core/Preferences.h"
#include "ui/kit/BrandHeader.h"
#include "ui/shell/AboutView.h"
#include "ui/shell/AboutWindow.h"
#include "ui/shell/LanguagePicker.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/PrivacyNote.h"
#include "ui/shell/SettingsWindow.h"
#include "ui/shell/ShellWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// The settings and About windows and the language choice, over a real Store and settings file.
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

    // Each opens from its menu and the header, once, centred over the main window wherever it is.
    void windowsOpenOverTheMainWindow_data()
    {
        QTest::addColumn<bool>("settings");
        QTest::addColumn<int>("key"); // closes About
        QTest::newRow("settings") << true << 0;
        QTest::newRow("About, Return") << false << int(Qt::Key_Return);
        QTest::newRow("About, Escape") << false << int(Qt::Key_Escape);
    }
    void windowsOpenOverTheMainWindow()
    {
        QFETCH(bool, settings);
        QFETCH(int, key);
        m_window = std::make_unique<MainWindow>(store());
        m_window->move(170, 90);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        const QList<QAction*> help = m_window->menuBar()->actions().last()->menu()->actions();
        QVERIFY(!help.at(1)->isEnabled()); // no update check in a build without updates
        auto* header = m_window->findChild<BrandHeader*>();
        const auto openOver = [&](bool fromMenu) -> QWidget* {
            if (settings) {
                fromMenu ? QTest::keyClick(m_window.get(), Qt::Key_Comma, Qt::ControlModifier)
                         : emit header->settingsRequested();
            } else {
                fromMenu ? help.at(0)->trigger() : emit header->aboutRequested();
            }
            QWidget* shown = settings ? static_cast<QWidget*>(m_window->windows().settings())
                                      : m_window->windows().about();
            const bool exposed = QTest::qWaitForWindowExposed(shown);
            const QPoint off = shown->geometry().center() - m_window->geometry().center();
            return exposed && off.manhattanLength() <= 1 ? shown : nullptr;
        };
        QPointer<QWidget> shown = openOver(true);
        QVERIFY(shown);
        QCOMPARE(openOver(false), shown.data()); // brought forward, not a second one
        QCOMPARE(shown->minimumSize(), shown->maximumSize());
        QVERIFY(!shown->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(shown->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        if (settings) {
            QVERIFY(!shown->isModal());
            shown->close();
        } else {
            addHistory(2);
            QCOMPARE(Find::named<QLabel>(shown, QStringLiteral("counts"))->text(),
                     QStringLiteral("Kayıtlı imza: 1 · Geçmiş kaydı: 2"));
            QVERIFY(QTest::qWaitForWindowActive(shown));
            QTest::keyClick(shown, static_cast<Qt::Key>(key));
        }
        QTRY_VERIFY(!shown);
        m_window->move(40, 30);
        QVERIFY(openOver(false));
    }

    void paneIsRemembered_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("opens");
        QTest::newRow("nothing stored") << QVariant() << 0;
        QTest::newRow("Veri") << QVariant("Veri") << 1;
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

    // A window named "Ayarlar" whose tabs say which is chosen; Tab goes down a pane as it is
    // shown, from the tabs back to them; Escape closes it.
    void settingsReadTopToBottom_data()
    {
        QTest::addColumn<int>("pane");
        QTest::addColumn<QStringList>("order");
        // A list box is read by the choice it shows; this build has no tray or update feed.
        QTest::newRow("Genel") << 0
                               << QStringList{"Sistem dili",
                                              "İşlem bitince dosyayı Finder'da göster", "Dengeli",
                                              "Genel"};
        QTest::newRow("Veri") << 1 << QStringList{"Finder'da göster", "Geçmişi temizle…", "Veri"};
    }
    void settingsReadTopToBottom()
    {
        QFETCH(int, pane);
        QFETCH(QStringList, order);
        addHistory(1);
        QSettings().setValue("settingsPane", QStringList({"Genel", "Veri"}).at(pane));
        QPointer<SettingsWindow> settings = openSettings();
        QVERIFY(QTest::qWaitForWindowActive(settings));
        QAccessibleInterface* window = AccessTree::of(settings);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(AccessTree::name(window), QStringLiteral("Ayarlar"));
        QStringList tabs;
        for (QAccessibleInterface* tab : AccessTree::all(settings, QAccessible::PageTab)) {
            QCOMPARE(tab->parent()->role(), QAccessible::PageTabList);
            QCOMPARE(AccessTree::name(tab->parent()), QStringLiteral("Ayarlar bölümleri"));
            tabs << AccessTree::name(tab) + (tab->state().selected ? "*" : "");
        }
        QCOMPARE(tabs.join(' '), pane == 0 ? "Genel* Veri Hakkında" : "Genel Veri* Hakkında");
        settings->findChild<QTabBar*>()->setFocus(Qt::TabFocusReason);
        QCOMPARE(AccessTree::tabOrder(static_cast<int>(order.size())), order);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!settings);
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
        store().tool<CompressTool>().setCompressionLevel(CompressionLevel::strong);
        QCOMPARE(level->currentText(), QStringLiteral("Güçlü"));
        const QList<QLabel*> labels = m_window->windows().settings()->findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
            return label->text() ==
                   QStringLiteral("En küçük dosya. Görsellerde bozulma fark edilir.");
        }));
        level->setCurrentIndex(0);
        emit level->activated(0);
        QCOMPARE(store().tool<CompressTool>().compressionLevel(), CompressionLevel::light);
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
        QCOMPARE(in<QLabel>(QStringLiteral("historyCount"))->text(), QStringLiteral("3"));
        clear->click();
        auto* box = m_window->windows().settings()->findChild<QMessageBox*>();
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
        const AppLanguage before = picker.choice();
        box->setCurrentIndex(choose);
        emit box->activated(choose);
        // Stored at once (the how is RecordsTest.choicesAreStoredAtOnce's).
        QCOMPARE(QSettings().value("AppleLanguages"), stores);
        QVERIFY(picker.offersRestart());
        box->setCurrentIndex(static_cast<int>(before));
        emit box->activated(static_cast<int>(before));
        QVERIFY(!picker.offersRestart());
    }

    // A second window still offers the restart (relaunch: AppTest.relaunchThatCannotStartSaysSo).
    void restartIsOfferedInEveryWindow()
    {
        AppLanguages::installTranslator(*QCoreApplication::instance()); // as at start-up
        LanguagePicker picker;
        picker.findChild<QComboBox*>()->setCurrentIndex(3);
        emit picker.findChild<QComboBox*>()->activated(3);
        QVERIFY(LanguagePicker().offersRestart());
    }

    void systemLanguagesNamingNoneOfOursGiveEnglish_data()
    {
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<AppLanguage>("effective");
        QTest::newRow("German only") << QStringList{"de-DE", "de"} << AppLanguage::en;
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

    // The pane has no close or mail button here; an empty version and build fall back.
    void aboutPaneWithoutCloseMailOrVersion()
    {
        AboutView pane(store(), false);
        QVERIFY(!Find::named<QPushButton>(&pane, QStringLiteral("Kapat")));
        QVERIFY(!Find::named<QPushButton>(&pane, QStringLiteral("E-posta gönder")));
        QCOMPARE(AboutView::versionLine(AppInfo::versionOr(""), AppInfo::buildOr(" ")),
                 QStringLiteral("Sürüm 1.0 (1) · Linux"));
        QCOMPARE(AppInfo::version(), QStringLiteral(LEAFLOW_PROJECT_VERSION));
        // This build names no update feed.
        QVERIFY(Find::named<QLabel>(&pane, "privacy")->text().endsWith("hiç bağlanmaz."));
    }

    // The shield stands beside its text, which says an updating build goes online only to check.
    void privacyNoteTellsWhetherTheAppGoesOnline()
    {
        // Taller than it needs, as the settings pane makes it.
        PrivacyNote note(true);
        note.resize(420, 3 * note.heightForWidth(420));
        note.show();
        QVERIFY(QTest::qWaitForWindowExposed(&note));
        const auto* text = Find::named<QLabel>(&note, QStringLiteral("privacy"));
        QVERIFY(text->text().endsWith("yalnız yeni sürüm var mı diye bakmak için bağlanır."));
        const QWidget* shield = Find::named(&note, QStringLiteral("shield"));
        QVERIFY(shield->geometry().right() < text->geometry().left());
        QCOMPARE(shield->y(), text->y());
        QCOMPARE(text->height(), text->heightForWidth(text->width()));
    }
};

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
