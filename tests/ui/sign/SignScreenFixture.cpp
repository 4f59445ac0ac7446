#include "SignScreenFixture.h"

#include "Fixtures.h"

#include <QCoreApplication>
#include <QTest>
#include <QWindow>

SignScreenFixture::SignScreenFixture(const StoreEnvironment& environment) : fixture(environment)
{
    m_view = std::make_unique<SignView>(
        *fixture.store, [this] { return fixture.panels.openImage(); });
    m_view->resize(1100, 760);
    m_view->show();
    if (!QTest::qWaitForWindowExposed(m_view.get())) {
        qWarning("the sign screen's window was not exposed");
    }
}

SignScreenFixture::~SignScreenFixture() = default;

SavedSignature SignScreenFixture::addSignature(const QString& name, double aspect, InkColor ink)
{
    SavedSignature signature;
    signature.id = QUuid::createUuid();
    signature.name = name;
    signature.strokes = QList<Stroke>{{QPointF(0.05, 0.6), QPointF(0.5, 0.3), QPointF(0.95, 0.6)}};
    signature.weight = 0.1;
    signature.ink = ink;
    signature.aspect = aspect;
    AppData data = store().data();
    data.signatures.append(signature);
    store().setData(data);
    return signature;
}

void SignScreenFixture::openDocument(const QList<Fixtures::Page>& pages, const QString& name)
{
    const QString path = fixture.path(name);
    Fixtures::writePdf(path, pages);
    store().addFiles({path}, AppSection::sign);
}

void SignScreenFixture::openDocument(int pages)
{
    QList<Fixtures::Page> a4 = Fixtures::tagged(QStringLiteral("p"), pages);
    for (Fixtures::Page& page : a4) {
        page.width = 595;
        page.height = 842;
    }
    openDocument(a4);
}

QPoint SignScreenFixture::inWindow(QWidget* widget, QPointF at) const
{
    return widget->mapTo(widget->window(), at.toPoint());
}

void SignScreenFixture::press(QWidget* widget, QPointF at)
{
    settle();
    QTest::mousePress(widget->window()->windowHandle(), Qt::LeftButton, {}, inWindow(widget, at));
}

void SignScreenFixture::moveTo(QWidget* widget, QPointF at)
{
    QTest::mouseMove(widget->window()->windowHandle(), inWindow(widget, at));
}

void SignScreenFixture::release(QWidget* widget, QPointF at)
{
    QTest::mouseRelease(widget->window()->windowHandle(), Qt::LeftButton, {},
                        inWindow(widget, at));
}

void SignScreenFixture::click(QWidget* widget, QPointF at)
{
    press(widget, at);
    release(widget, at);
}

void SignScreenFixture::settle()
{
    // Widgets added a moment ago are shown and laid out before the user can aim at them.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void SignScreenFixture::click(QWidget* widget)
{
    settle();
    click(widget, QRectF(widget->rect()).center());
}

void SignScreenFixture::drag(QWidget* widget, QPointF from, QPointF to, int steps)
{
    press(widget, from);
    for (int i = 1; i <= steps; ++i) {
        moveTo(widget, from + (to - from) * i / steps);
    }
    release(widget, to);
}
