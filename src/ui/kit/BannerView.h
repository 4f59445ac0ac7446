#pragma once

#include "core/Banner.h"

#include <QWidget>

class Button;
class QLabel;

// A tool page's message after a run: result or error, selectable text, open, reveal and close
// buttons.
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
    // Room kept free at the right beyond the page's margin, so that the banner ends where the
    // content under it does when a scroll bar takes that room there.
    void setTrailingInset(int inset);
    int trailingInset() const { return m_inset; }

signals:
    // The file manager should show and select these files.
    void revealRequested(const QStringList& outputs);
    // The desktop's PDF viewer should open this output.
    void openRequested(const QString& output);
    void dismissed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Announced as it first shows: its page shown again later does not repeat it.
    void showEvent(QShowEvent* event) override;

private:
    // Exactly as tall as the wrapped text needs at the current width, whatever the page's
    // layout would offer: never squeezed, never stretched.
    void fitHeight();
    // The text for the label's width: a name too long for it (a file or folder, as the history
    // shows them) loses its middle rather than breaking over lines inside a word.
    void showText();
    void placeContents();

    Banner m_banner;
    QString m_name; // the file or folder name in the text that may be shortened
    QLabel* m_text;
    Button* m_open = nullptr;
    Button* m_reveal = nullptr;
    Button* m_close = nullptr;
    bool m_opaque = false;
    int m_inset = 0;
    bool m_announced = false;
};
