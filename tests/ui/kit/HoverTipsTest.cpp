#include "HoverTips.h"
#include "TipPanel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// The hover bubble: shown after a rest, gone on leaving or hiding, never in the way.
class HoverTipsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        TipPanel::shared()->orderOut();
    }

    void restingShowsTheTip()
    {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("A"), &window);
        tip(button, QStringLiteral("Kapat"));
        window.show();
        QSignalSpy shown(TipPanel::shared(), &TipPanel::shown);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(button, &enter);
        QVERIFY(!TipPanel::shared()->isVisible());
        // The platform may report the pointer entering too: every show is this tip.
        QTRY_VERIFY(!shown.isEmpty());
        for (const QList<QVariant>& call : shown) {
            QCOMPARE(call.at(0).toString(), QStringLiteral("Kapat"));
        }
        QVERIFY(TipPanel::shared()->isVisible());

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QVERIFY(!TipPanel::shared()->isVisible());
        // Hiding the widget hides its tip too.
        QApplication::sendEvent(button, &enter);
        QTRY_VERIFY(TipPanel::shared()->isVisible());
        window.hide();
        QVERIFY(!TipPanel::shared()->isVisible());
    }

    void qtTooltipsAreSwallowed()
    {
        HoverTips::install();
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("A"), &window);
        button->setToolTip(QStringLiteral("plain"));
        window.show();
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QVERIFY(QApplication::sendEvent(button, &help));
        // A widget given a tooltip by other code still gets our bubble.
        QSignalSpy shown(TipPanel::shared(), &TipPanel::shown);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(button, &enter);
        QTRY_VERIFY(!shown.isEmpty());
        QCOMPARE(shown.last().at(0).toString(), QStringLiteral("plain"));
        QCOMPARE(TipPanel::shared()->text(), QStringLiteral("plain"));
    }

    void neverTakesFocusOrClicks()
    {
        QWidget window;
        auto* field = new QLineEdit(&window);
        window.show();
        window.activateWindow();
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        QWidget* active = QApplication::activeWindow();

        TipPanel* panel = TipPanel::shared();
        panel->showText(QStringLiteral("Bilgi"), QPoint(200, 200));
        QVERIFY(panel->isVisible());
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(QApplication::activeWindow(), active);
        QVERIFY(panel->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void placesAboveNearTheScreenBottom()
    {
        TipPanel* panel = TipPanel::shared();
        const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
        panel->showText(QStringLiteral("Sayfa"), QPoint(visible.left() + 1, visible.bottom() - 2));
        QVERIFY(!panel->arrowUp());
        QCOMPARE(panel->geometry().left(), visible.left() + 4);
        QVERIFY(panel->geometry().bottom() < visible.bottom() - 2);

        panel->showText(QStringLiteral("Sayfa"), QPoint(visible.center()));
        QVERIFY(panel->arrowUp());
        QVERIFY(panel->geometry().top() > visible.center().y());
    }

};

QTEST_MAIN(HoverTipsTest)
#include "HoverTipsTest.moc"
