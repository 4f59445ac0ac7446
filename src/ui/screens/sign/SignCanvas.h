#pragma once

#include <QHash>
#include <QImage>
#include <QRectF>
#include <QUuid>
#include <QWidget>
#include <optional>

class PlacementView;
class QPainter;
struct SavedSignature;
class QTimer;
class SignTool;
class Store;

// The page being signed, as large as fits and centred, with its placed
// signatures on top. A click on empty paper drops the selection. From the
// keyboard it holds a cursor on the page, which the arrow keys move and where
// Enter or Space asks for a signature to be put; each placement takes the
// focus after it, in the Tab order.
class SignCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int rerenderDelay = 120; // ms a size must hold before the page is rendered

    explicit SignCanvas(SignTool& tool, QWidget* parent = nullptr);

    // Where the page is drawn, in this widget's coordinates; empty without a file.
    QRectF pageFrame() const { return m_frame; }
    // The page image's size in pixels: the frame's size on this screen once it is rendered.
    QSize pageImageSize() const { return m_image.size(); }
    // The placement views of the shown page, back to front.
    QList<PlacementView*> placementViews() const;
    // Where a signature placed from the keyboard goes: its top-left corner, as a fraction of
    // the page; the page's centre for each new document.
    QPointF cursor() const { return m_cursor; }
    // Puts `signature` on the shown page with its top-left corner at the cursor, as far as it
    // fits, and gives the new placement the focus.
    void placeAtCursor(const SavedSignature& signature);
    // Gives the selected placement the keyboard focus, so the keys act on it at once.
    void focusSelected();

signals:
    // Enter or Space on the page: the chosen signature should go to the cursor.
    void placeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void refresh();
    void describe();
    void paintCursor(QPainter& painter) const;
    void loadImage();
    QString imageKey() const;
    QString pageId() const;
    // The thumbnail slot whose image has the frame's pixels along the page's longer edge.
    double renderSide() const;

    SignTool& m_tool;
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
    QPointF m_cursor{0.5, 0.5};
    bool m_showCursor = false; // reached or used by keyboard, not by a click
};
