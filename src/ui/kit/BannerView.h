#pragma once

#include "Banner.h"

#include <QWidget>

class Button;
class QLabel;

// A tool page's message after a run: result or error, selectable text, reveal and close buttons.
class BannerView : public QWidget {
    Q_OBJECT
public:
    // The banner's tint under its text, in the light and the dark appearance.
    static constexpr qreal lightFill = 0.10;
    static constexpr qreal darkFill = 0.16;
    explicit BannerView(const Banner& banner, QWidget* parent = nullptr);

    const Banner& banner() const { return m_banner; }
    // Lays the page's background under the tint, for a banner that lies over other content.
    void setOpaque(bool opaque);

signals:
    // The file manager should show and select these files.
    void revealRequested(const QStringList& outputs);
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Exactly as tall as the wrapped text needs at the current width, whatever the page's
    // layout would offer: never squeezed, never stretched.
    void fitHeight();

    Banner m_banner;
    QLabel* m_text;
    Button* m_reveal = nullptr;
    Button* m_close;
    bool m_opaque = false;
};
