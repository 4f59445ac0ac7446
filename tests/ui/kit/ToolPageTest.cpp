#include "BannerView.h"
#include "Button.h"
#include "PageHeader.h"
#include "SymbolView.h"
#include "Theme.h"
#include "ToolPage.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
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

std::unique_ptr<QMimeData> files(const QStringList& paths)
{
    auto mime = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    mime->setUrls(urls);
    mime->setText(paths.join(QLatin1Char('\n')));
    return mime;
}

bool sendDragEnter(QWidget* target, const QMimeData* mime)
{
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    return enter.isAccepted();
}

bool sendDrop(QWidget* target, const QMimeData* mime)
{
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

class ToolPageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<AppSection>();
    }

    void dropAnywhereAdmitsFiles_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("footer label") << QStringLiteral("footerLabel");
        QTest::newRow("footer bar") << QStringLiteral("footerBar");
        QTest::newRow("text field in the content") << QStringLiteral("field");
        QTest::newRow("header") << QStringLiteral("header");
        QTest::newRow("page itself") << QStringLiteral("page");
    }

    void dropAnywhereAdmitsFiles()
    {
        QFETCH(QString, where);
        Page p;
        QWidget* target = where == QLatin1String("footerLabel") ? static_cast<QWidget*>(p.footerLabel)
                          : where == QLatin1String("footerBar") ? p.page.footerBar()
                          : where == QLatin1String("field")     ? static_cast<QWidget*>(p.field)
                          : where == QLatin1String("header")    ? static_cast<QWidget*>(p.page.header())
                                                                : static_cast<QWidget*>(&p.page);
        QSignalSpy dropped(&p.page, &ToolPage::filesDropped);
        const QStringList paths = {QStringLiteral("/tmp/b.pdf"), QStringLiteral("/tmp/a.txt")};
        const auto mime = files(paths);
        QVERIFY(sendDragEnter(target, mime.get()));
        QVERIFY(p.page.isTargeted());
        QVERIFY(sendDrop(target, mime.get()));
        QVERIFY(!p.page.isTargeted());
        QCOMPARE(dropped.size(), 1);
        QCOMPARE(dropped.at(0).at(0).toStringList(), paths);
        QCOMPARE(dropped.at(0).at(1).value<AppSection>(), AppSection::split);
        // The text field did not take the file names as text.
        QVERIFY(p.field->text().isEmpty());
    }

    void dragsWithoutFilesAreLeftAlone()
    {
        Page p;
        QSignalSpy dropped(&p.page, &ToolPage::filesDropped);
        QMimeData text;
        text.setText(QStringLiteral("1-3"));
        sendDragEnter(p.footerLabel, &text);
        QVERIFY(!p.page.isTargeted());
        sendDrop(p.footerLabel, &text);
        QCOMPARE(dropped.size(), 0);

        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://example.org/a.pdf"))});
        QVERIFY(!sendDragEnter(p.footerLabel, &web));
        QVERIFY(!p.page.isTargeted());
    }

    void outlineShowsWhileFilesHover()
    {
        Page p;
        const auto mime = files({QStringLiteral("/tmp/x.pdf")});
        const QColor accent = Theme::accent(p.page.palette());
        const QRectF outline = p.page.outlineRect();
        QCOMPARE(outline.left(), 9.0); // 8 inside, centre of a 2-point line
        const QPoint onLine(qRound(outline.left()), p.page.height() / 2);

        QVERIFY(p.page.grab().toImage().pixelColor(onLine) != accent);
        QVERIFY(sendDragEnter(p.field, mime.get()));
        QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(p.footerLabel, &move);
        QVERIFY(move.isAccepted());
        QVERIFY(p.page.isTargeted());
        QCOMPARE(p.page.grab().toImage().pixelColor(onLine), accent);

        QDragLeaveEvent leave;
        QApplication::sendEvent(p.field, &leave);
        QVERIFY(!p.page.isTargeted());
        QVERIFY(p.page.grab().toImage().pixelColor(onLine) != accent);
    }

    void bannerWithOutputsRevealsThem()
    {
        Page p;
        QSignalSpy reveal(&p.page, &ToolPage::revealRequested);
        const QStringList outputs = {QStringLiteral("/tmp/out 1.pdf"), QStringLiteral("/tmp/out 2.pdf")};
        p.page.setBanner(Banner{QStringLiteral("Hazır: 2 dosya · tmp klasöründe"), outputs, false});
        BannerView* banner = p.page.bannerView();
        QVERIFY(banner);
        QCOMPARE(banner->textLabel()->text(), QStringLiteral("Hazır: 2 dosya · tmp klasöründe"));
        QVERIFY(banner->textLabel()->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
        QVERIFY(banner->revealButton());
        QCOMPARE(banner->revealButton()->text(), QStringLiteral("Finder'da göster"));
        QTest::mouseClick(banner->revealButton(), Qt::LeftButton);
        QCOMPARE(reveal.size(), 1);
        QCOMPARE(reveal.at(0).at(0).toStringList(), outputs);
        auto* icon = banner->findChild<SymbolView*>(QStringLiteral("icon"));
        QCOMPARE(icon->symbol(), QStringLiteral("checkmark.circle.fill"));
        QCOMPARE(icon->currentColor(), DS::up(banner->palette()));
    }

    void errorBannerHasNoRevealAndCloses()
    {
        Page p;
        QSignalSpy dismissed(&p.page, &ToolPage::bannerDismissed);
        p.page.setBanner(Banner{QStringLiteral("Dosya açılamadı."), {}, true});
        BannerView* banner = p.page.bannerView();
        QVERIFY(!banner->revealButton());
        auto* icon = banner->findChild<SymbolView*>(QStringLiteral("icon"));
        QCOMPARE(icon->symbol(), QStringLiteral("exclamationmark.triangle.fill"));
        QCOMPARE(icon->currentColor(), DS::down(banner->palette()));
        QCOMPARE(banner->closeButton()->toolTip(), QStringLiteral("Kapat"));
        QTest::mouseClick(banner->closeButton(), Qt::LeftButton);
        QCOMPARE(dismissed.size(), 1);
        QCOMPARE(dismissed.at(0).at(0).value<AppSection>(), AppSection::split);

        p.page.setBanner(std::nullopt);
        QVERIFY(!p.page.bannerView());
    }

    void headerShowsTheSectionAndAccessory()
    {
        ToolPage page(AppSection::merge);
        auto* title = page.header()->findChild<QLabel*>(QStringLiteral("title"));
        auto* subtitle = page.header()->findChild<QLabel*>(QStringLiteral("subtitle"));
        QCOMPARE(title->text(), QStringLiteral("Birleştir"));
        QCOMPARE(subtitle->text(), QStringLiteral("Birden çok PDF'i sırayla tek dosyada toplar."));
        auto* add = new Button(QStringLiteral("PDF ekle"));
        page.setTrailing(add);
        QCOMPARE(page.header()->trailing(), add);
        QCOMPARE(add->parentWidget(), page.header());
    }
};

QTEST_MAIN(ToolPageTest)
#include "ToolPageTest.moc"
