#pragma once

#include <QColor>
#include <QWidget>

// A small tinted label: optional symbol and text on a rounded rectangle of the tint at 12 %;
// static text to a screen reader.
class Badge : public QWidget {
    Q_OBJECT
public:
    static constexpr qreal fillOpacity = 0.12; // the tint under the text
    Badge(const QString& text, const QColor& tint, QString icon = {}, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    QColor tint() const { return m_tint; }
    QString icon() const { return m_icon; }
    void setText(const QString& text);
    void setTint(const QColor& tint);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QColor m_tint;
    QString m_icon;
};
