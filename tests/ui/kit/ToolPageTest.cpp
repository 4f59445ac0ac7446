#include "BannerView.h"
#include "Find.h"
#include "PageHeader.h"
#include "ScreenEvents.h"
#include "Theme.h"
#include "ToolPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(AppSection)

namespace {

// A page with a text field in its content and a label in its footer, as the tools build them.
struct Page {
    ToolPage page{AppSection::split};
    QLineEdit* field = new QLineEdit;
    QLabel* footerLabel = new QLabel(QStringLiteral("Oluşacak dosya: 3"));

    Page()
    {
        auto* content = new QWidget;
        auto* column = new QVBoxLayout(content);
        column->addWidget(field);
        column->addStretch(1);
        page.setContent(content);
        page.footer()->addWidget(footerLabel);
        page.footer()->addStretch(1);
        page.resize(700, 500);
        page.show();
    }
};

bool enter(QWidget* target, const QMimeData* mime)
{
    QDragEnterEvent event(QPoint(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}

} // namespace

// The frame every tool page shares: files dropped anywhere on it, the outline while they hover,
// and the result banner.
class ToolPageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<AppSection>(); }

    void dropAnywhereAdmitsFiles_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("footer label") << QStringLiteral("footerLabel");
        QTest::newRow("text field in the content") << QStringLiteral("field");
        QTest::newRow("header") << QStringLiteral("header");
        QTest::newRow("page itself") << QStringLiteral("page");
    }
    void dropAnywhereAdmitsFiles()
    {
        QFETCH(QString, where);
        Page p;
        QWidget* target = where == QLatin1String("footerLabel") ? static_cast<QWidget*>(p.footerLabel)
                          : where == QLatin1String("field")     ? static_cast<QWidget*>(p.field)
                          : where == QLatin1String("header")    ? static_cast<QWidget*>(p.page.header())
                                                                : static_cast<QWidget*>(&p.page);
        QSignalSpy dropped(&p.page, &ToolPage::filesDropped);
        const QStringList paths = {QStringLiteral("/tmp/b.pdf"), QStringLiteral("/tmp/a.txt")};
        auto mime = ScreenEvents::files(paths);
        mime->setText(paths.join(u'\n'));
        QVERIFY(ScreenEvents::drop(target, mime.get()));
        QVERIFY(!p.page.isTargeted());
        QCOMPARE(dropped.size(), 1);
        QCOMPARE(dropped.at(0).at(0).toStringList(), paths);
        QCOMPARE(dropped.at(0).at(1).value<AppSection>(), AppSection::split);
        // The text field did not take the file names as text.
        QVERIFY(p.field->text().isEmpty());
    }

    void dragsWithoutLocalFilesAreLeftAlone()
    {
        Page p;
        QSignalSpy dropped(&p.page, &ToolPage::filesDropped);
        QMimeData text;
        text.setText(QStringLiteral("1-3"));
        ScreenEvents::drop(p.footerLabel, &text);
        QCOMPARE(dropped.size(), 0);
        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://example.org/a.pdf"))});
        QVERIFY(!enter(p.footerLabel, &web));
        QVERIFY(!p.page.isTargeted());
    }

    void outlineShowsWhileFilesHover()
    {
        Page p;
        const auto mime = ScreenEvents::files({QStringLiteral("/tmp/x.pdf")});
        const QColor accent = Theme::accent(p.page.palette());
        const QPoint onLine(qRound(p.page.outlineRect().left()), p.page.height() / 2);
        QVERIFY(p.page.grab().toImage().pixelColor(onLine) != accent);
        QVERIFY(enter(p.field, mime.get()));
        QVERIFY(p.page.isTargeted());
        QCOMPARE(p.page.grab().toImage().pixelColor(onLine), accent);
        QDragLeaveEvent leave;
        QApplication::sendEvent(p.field, &leave);
        QVERIFY(!p.page.isTargeted());
        QVERIFY(p.page.grab().toImage().pixelColor(onLine) != accent);
    }

    void bannersRevealTheirOutputsAndClose_data()
    {
        QTest::addColumn<QStringList>("outputs");
        QTest::addColumn<bool>("error");
        QTest::newRow("success") << QStringList{"/tmp/out 1.pdf", "/tmp/out 2.pdf"} << false;
        QTest::newRow("error") << QStringList{} << true;
    }
    void bannersRevealTheirOutputsAndClose()
    {
        QFETCH(QStringList, outputs);
        QFETCH(bool, error);
        Page p;
        QSignalSpy reveal(&p.page, &ToolPage::revealRequested);
        QSignalSpy dismissed(&p.page, &ToolPage::bannerDismissed);
        p.page.setBanner(Banner{QStringLiteral("Hazır."), outputs, error});
        BannerView* banner = p.page.bannerView();
        QVERIFY(banner);
        auto* show = Find::named<QAbstractButton>(banner, QStringLiteral("Finder'da göster"));
        QCOMPARE(show != nullptr, !error);
        if (show) {
            QTest::mouseClick(show, Qt::LeftButton);
            QCOMPARE(reveal.value(0).value(0).toStringList(), outputs);
        }
        QTest::mouseClick(Find::named<QAbstractButton>(banner, QStringLiteral("Kapat")), Qt::LeftButton);
        QCOMPARE(dismissed.size(), 1);
        QCOMPARE(dismissed.at(0).at(0).value<AppSection>(), AppSection::split);
        p.page.setBanner(std::nullopt);
        QVERIFY(!p.page.bannerView());
    }
};

QTEST_MAIN(ToolPageTest)
#include "ToolPageTest.moc"
