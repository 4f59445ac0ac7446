#include "Button.h"
#include "EmptyState.h"
#include "FileList.h"
#include "Formatting.h"
#include "HistoryDisplay.h"
#include "HistoryRow.h"
#include "HistoryScreen.h"
#include "Labels.h"
#include "Fixtures.h"
#include "StoreFixture.h"
#include "SymbolView.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

const QDateTime clockNow(QDate(2026, 6, 10), QTime(15, 30));

QPushButton* buttonWithRole(QMessageBox* box, QMessageBox::ButtonRole role)
{
    for (QAbstractButton* button : box->buttons()) {
        if (box->buttonRole(button) == role) {
            return qobject_cast<QPushButton*>(button);
        }
    }
    return nullptr;
}

} // namespace

class HistoryScreenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<HistoryScreen> m_screen;
    QDateTime m_now = clockNow;

    Store& store() { return *m_fixture->store; }

    QString output(const QString& name, const QString& folder = QStringLiteral("out"))
    {
        const QString path = m_fixture->folder(folder) + "/" + name;
        Fixtures::writeBytes(path, QByteArray(1200, 'x'));
        return path;
    }

    HistoryItem record(const QString& tool, const QStringList& inputs, const QStringList& outputs,
                       const QDateTime& date)
    {
        HistoryItem item;
        item.id = QUuid::createUuid();
        item.date = date;
        item.tool = tool;
        item.inputs = inputs;
        item.outputs = outputs;
        item.bytesBefore = 2'400'000;
        item.bytesAfter = 1'200;
        return item;
    }

    void seed(const QList<HistoryItem>& history)
    {
        AppData data = store().data();
        data.history = history;
        store().setData(data);
    }

    void makeScreen()
    {
        m_screen = std::make_unique<HistoryScreen>(store(), nullptr, [this] { return m_now; });
        m_screen->resize(820, 560);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    }

    // Four records, newest first: a merge, a split into five files, a page
    // deletion whose output is gone, and a signing with one of two outputs left.
    QList<HistoryItem> fourRecords()
    {
        QStringList parts;
        for (int part = 1; part <= 5; ++part) {
            parts << output(QStringLiteral("Katalog %1.pdf").arg(part), QStringLiteral("parcalar"));
        }
        const QString gone = output(QStringLiteral("Rapor düzenlenmiş.pdf"));
        const QString signedGone = output(QStringLiteral("Sözleşme imzalı.pdf"));
        QFile::remove(gone);
        QFile::remove(signedGone);
        return {
            record("merge", {"Rapor.pdf", "Ek.pdf"}, {output("Rapor birleşik.pdf")},
                   clockNow.addSecs(-300)),
            record("split", {"Katalog.pdf"}, parts, clockNow.addDays(-1)),
            record("pages", {"Rapor.pdf"}, {gone}, clockNow.addDays(-3)),
            record("sign", {"Sözleşme.pdf", "Ek.pdf"}, {signedGone, output("Ek imzalı.pdf")},
                   clockNow.addDays(-20)),
        };
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }

    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        m_now = clockNow;
    }

    void cleanup()
    {
        m_screen.reset();
        m_fixture.reset();
        qunsetenv("LEAFLOW_SNAPSHOT");
    }

    void emptyHistory()
    {
        makeScreen();
        QVERIFY(m_screen->emptyState()->isVisible());
        QCOMPARE(m_screen->emptyState()->label()->text(), QStringLiteral("Henüz kayıt yok"));
        QVERIFY(!m_screen->list()->isVisible());
        QVERIFY(!m_screen->clearButton()->isEnabled());
        m_screen->confirmClear();
        QVERIFY(!m_screen->confirmation());
    }

    void rowsShowEachRecord()
    {
        seed(fourRecords());
        makeScreen();
        QVERIFY(m_screen->list()->isVisible());
        QVERIFY(m_screen->clearButton()->isEnabled());
        const QList<HistoryRow*> rows = m_screen->rows();
        QCOMPARE(rows.size(), 4);

        QStringList titles, details, symbols, dates;
        for (const HistoryRow* row : rows) {
            titles << row->title()->fullText();
            details << row->detail()->fullText();
            symbols << row->symbol()->symbol();
            dates << row->date()->text();
        }
        QCOMPARE(titles, (QStringList{"Rapor birleşik.pdf", "5 dosya · parcalar",
                                      "Rapor düzenlenmiş.pdf", "2 dosya · out"}));
        QCOMPARE(details, (QStringList{"Birleştir · Rapor.pdf, Ek.pdf", "Böl · Katalog.pdf",
                                       "Sayfa sil · Dosya taşınmış ya da silinmiş",
                                       "İmzala · Sözleşme.pdf, Ek.pdf"}));
        QCOMPARE(symbols, (QStringList{"arrow.triangle.merge", "scissors",
                                       "rectangle.stack.badge.minus", "signature"}));
        QCOMPARE(dates, (QStringList{"5 dakika önce", "dün", "3 gün önce", "2 hafta önce"}));
        const QLocale locale;
        QCOMPARE(rows.first()->sizes()->text(),
                 Formatting::fileSize(2'400'000, locale) + " → " + Formatting::fileSize(1'200, locale));
    }

    void revealShowsTheOutputsThatRemain()
    {
        seed(fourRecords());
        makeScreen();
        const QList<HistoryRow*> rows = m_screen->rows();
        QVERIFY(!rows.at(2)->revealButton()->isEnabled());

        QVERIFY(rows.at(3)->revealButton()->isEnabled());
        QTest::mouseClick(rows.at(3)->revealButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed,
                 (QList<QStringList>{{m_fixture->folder("out") + "/Ek imzalı.pdf"}}));

        QTest::mouseClick(rows.at(1)->revealButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed.last(), store().data().history.at(1).outputs);
    }

    // Files removed while another section showed are noticed when the history shows again.
    void missingFilesAreNoticedWhenShown()
    {
        seed(fourRecords());
        makeScreen();
        QVERIFY(m_screen->rows().first()->revealButton()->isEnabled());
        m_screen->hide();
        QFile::remove(store().data().history.first().outputs.first());
        m_screen->show();
        const HistoryRow* first = m_screen->rows().first();
        QVERIFY(!first->revealButton()->isEnabled());
        QCOMPARE(first->detail()->fullText(), QStringLiteral("Birleştir · Dosya taşınmış ya da silinmiş"));
    }

    void screenshotModeTreatsOutputsAsPresent()
    {
        seed(fourRecords());
        qputenv("LEAFLOW_SNAPSHOT", "1");
        makeScreen();
        const HistoryRow* pages = m_screen->rows().at(2);
        QCOMPARE(pages->detail()->fullText(), QStringLiteral("Sayfa sil · Rapor.pdf"));
        QVERIFY(pages->revealButton()->isEnabled());
    }

    void unknownToolShowsADocument()
    {
        seed({record("rotate", {"Eski.pdf"}, {output("Eski döndürülmüş.pdf")}, clockNow)});
        makeScreen();
        const HistoryRow* row = m_screen->rows().first();
        QCOMPARE(row->symbol()->symbol(), QStringLiteral("doc"));
        QCOMPARE(row->detail()->fullText(), QStringLiteral("Eski.pdf"));
        QCOMPARE(row->date()->text(), QStringLiteral("şimdi"));
        QVERIFY(!HistoryDisplay::toolName("rotate"));
        QCOMPARE(HistoryDisplay::title(record("merge", {}, {}, clockNow)), QString());
    }

    void datesFollowTheClock()
    {
        seed({record("compress", {"Fatura.pdf"}, {output("Fatura sıkıştırılmış.pdf")},
                     clockNow.addSecs(-40))});
        makeScreen();
        QCOMPARE(m_screen->rows().first()->date()->text(), QStringLiteral("40 saniye önce"));
        m_now = clockNow.addDays(1);
        m_screen->refreshDates();
        QCOMPARE(m_screen->rows().first()->date()->text(), QStringLiteral("dün"));
    }

    void newRunsAppearAtTheTop()
    {
        seed(fourRecords());
        makeScreen();
        AppData data = store().data();
        data.recordRun(record("compress", {"Fatura.pdf"}, {output("Fatura sıkıştırılmış.pdf")},
                              clockNow));
        store().setData(data);
        QCOMPARE(m_screen->rows().size(), 5);
        QCOMPARE(m_screen->rows().first()->title()->fullText(),
                 QStringLiteral("Fatura sıkıştırılmış.pdf"));
    }

    void clearingAsksFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("confirm") << "Temizle" << true;
        QTest::newRow("cancel") << "Vazgeç" << false;
        QTest::newRow("escape") << "escape" << false;
    }

    void clearingAsksFirst()
    {
        QFETCH(QString, answer);
        QFETCH(bool, cleared);
        const QList<HistoryItem> records = fourRecords();
        seed(records);
        makeScreen();

        QTest::mouseClick(m_screen->clearButton(), Qt::LeftButton);
        QMessageBox* box = m_screen->confirmation();
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Geçmiş temizlensin mi?"));
        QCOMPARE(box->informativeText(),
                 QStringLiteral("Yalnız liste temizlenir. Ürettiğin dosyalar yerinde kalır."));
        QPushButton* destructive = buttonWithRole(box, QMessageBox::DestructiveRole);
        QPushButton* cancel = buttonWithRole(box, QMessageBox::RejectRole);
        QVERIFY(destructive && cancel);
        QCOMPARE(destructive->text(), QStringLiteral("Temizle"));
        QCOMPARE(cancel->text(), QStringLiteral("Vazgeç"));
        QCOMPARE(box->defaultButton(), cancel);

        if (answer == "escape") {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            QTest::mouseClick(answer == "Temizle" ? destructive : cancel, Qt::LeftButton);
        }
        QTRY_VERIFY(!m_screen->confirmation());

        const std::optional<AppData> onDisk = DataFile().load();
        QVERIFY(onDisk);
        if (cleared) {
            QVERIFY(store().data().history.isEmpty());
            QVERIFY(onDisk->history.isEmpty());
            QVERIFY(m_screen->emptyState()->isVisible());
            QVERIFY(!m_screen->clearButton()->isEnabled());
        } else {
            QCOMPARE(store().data().history, records);
            QCOMPARE(onDisk->history, records);
            QCOMPARE(m_screen->rows().size(), 4);
        }
        // The files themselves are never touched.
        for (const HistoryItem& item : records) {
            QCOMPARE(HistoryDisplay::existing(item).size(),
                     item.tool == "pages" ? 0 : item.tool == "sign" ? 1 : item.outputs.size());
        }
    }
};

QTEST_MAIN(HistoryScreenTest)
#include "HistoryScreenTest.moc"
