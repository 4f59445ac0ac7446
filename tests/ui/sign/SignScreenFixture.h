#pragma once

#include "Fixtures.h"
#include "SignView.h"
#include "StoreFixture.h"

#include <QPoint>
#include <QPointF>
#include <memory>

class QWidget;

// A sign screen shown in its own window over a real Store with scripted
// dialogs, driven with mouse events delivered through the window the way the
// platform delivers them (the pressed widget keeps the mouse while dragging).
class SignScreenFixture {
public:
    explicit SignScreenFixture(const StoreEnvironment& environment);
    ~SignScreenFixture();

    Store& store() { return *fixture.store; }
    SignView& view() { return *m_view; }

    // A library signature of `aspect` (a flat stroke), added through the data.
    SavedSignature addSignature(const QString& name, double aspect = 4,
                                InkColor ink = InkColor::black);
    // Admits a PDF of `pages` tagged pages for signing (A4 unless given).
    void openDocument(const QList<Fixtures::Page>& pages, const QString& name = QStringLiteral("Sözleşme.pdf"));
    void openDocument(int pages);

    // Mouse input at a point of `widget` (fractional points are rounded).
    void press(QWidget* widget, QPointF at);
    void moveTo(QWidget* widget, QPointF at);
    void release(QWidget* widget, QPointF at);
    void click(QWidget* widget, QPointF at);
    void click(QWidget* widget); // at its centre
    // Press at `from`, move there in a few steps and release, all in widget's coordinates.
    void drag(QWidget* widget, QPointF from, QPointF to, int steps = 4);

    // Delivers pending shows and layouts, as the event loop would before the next input.
    static void settle();

    StoreFixture fixture;

private:
    QPoint inWindow(QWidget* widget, QPointF at) const;

    std::unique_ptr<SignView> m_view;
};
