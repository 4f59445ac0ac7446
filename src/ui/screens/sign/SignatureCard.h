#pragma once

#include "core/AppData.h"

#include <QAbstractButton>
#include <QImage>
#include <QWidget>

class Button;
class ElidedLabel;

// A signature's preview on paper; clicking it puts the signature on the page.
class SignaturePreview : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int previewHeight = 52;
    static constexpr int padding = 8;
    static constexpr qreal radius = 6;

    SignaturePreview(QImage image, QWidget* parent = nullptr);

    // Where the preview is drawn: fitted into the padded area, proportions kept.
    QRectF imageRect() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

// One signature of the library: its preview, its name and a trash button.
class SignatureCard : public QWidget {
    Q_OBJECT
public:
    SignatureCard(const SavedSignature& signature, const QImage& preview, bool placeable,
                  QWidget* parent = nullptr);

    const SavedSignature& signature() const { return m_signature; }

signals:
    void placeRequested(const SavedSignature& signature);
    void deleteRequested(const SavedSignature& signature);

private:
    SavedSignature m_signature;
    SignaturePreview* m_preview;
    ElidedLabel* m_name;
    Button* m_trash;
};
