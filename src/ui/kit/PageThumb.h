#pragma once

#include "ui/kit/FileDisplay.h"

#include <QImage>
#include <QUuid>
#include <QWidget>

// One page as a page-shaped box: paper colour, then the page image once it has loaded.
class PageThumb : public QWidget {
    Q_OBJECT
public:
    PageThumb(const PDFFile& file, qint64 index, int side, ThumbnailProvider provider,
              QWidget* parent = nullptr);

    // Shows another page; the image loads again when the file or the page changed.
    void setPage(const PDFFile& file, qint64 index);
    bool hasImage() const { return !m_image.isNull(); }
    // Asks the provider again when it had no image yet (it may render off the main thread).
    void reload();
    // The page box inside the widget: the page's aspect ratio, centred.
    QRectF pageRect() const;

    QSize sizeHint() const override;

signals:
    void loaded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void scheduleLoad();

    PDFFile m_file;
    qint64 m_index;
    int m_side;
    ThumbnailProvider m_provider;
    QSizeF m_pageSize;
    QImage m_image;
    quint64 m_generation = 0;
    bool m_pending = false;
};
