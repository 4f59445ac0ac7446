#pragma once

#include <QHash>
#include <QImage>
#include <QRectF>
#include <QUuid>
#include <QWidget>
#include <optional>

class PlacementView;
class QTimer;
class Store;

// The page being signed, as large as fits and centred, with its placed
// signatures on top. A click on empty paper drops the selection; the arrow
// keys nudge the selected placement and Delete takes it off the page.
class SignCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int rerenderDelay = 120; // ms a size must hold before the page is rendered
    static constexpr qreal nudge = 1;         // points per arrow key press
    static constexpr qreal bigNudge = 10;     // with Shift held

    explicit SignCanvas(Store& store, QWidget* parent = nullptr);

    // Where the page is drawn, in this widget's coordinates; empty without a file.
    QRectF pageFrame() const { return m_frame; }
    bool hasPageImage() const { return !m_image.isNull(); }
    // The page image's size in pixels: the frame's size on this screen once it is rendered.
    QSize pageImageSize() const { return m_image.size(); }
    // The placement views of the shown page, back to front.
    QList<PlacementView*> placementViews() const;
    PlacementView* viewFor(const QUuid& placement) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();
    void loadImage();
    QString imageKey() const;
    QString pageId() const;
    // The thumbnail slot whose image has the frame's pixels along the page's longer edge.
    double renderSide() const;

    Store& m_store;
    QRectF m_frame;
    QImage m_image;
    QString m_imageKey;     // the image asked for last
    QString m_imagePage;    // the file and page that m_image shows
    qreal m_imageRatio = 0; // the pixel ratio the image was asked for
    QTimer* m_rerender;
    QHash<QUuid, PlacementView*> m_views;
    QList<QUuid> m_order;
    bool m_pressOnPaper = false;
};
