#pragma once

#include "core/ToolOptions.h"

#include <QAbstractButton>
#include <QWidget>

class QButtonGroup;

// One segment of the ink picker.
class InkSegment : public QAbstractButton {
    Q_OBJECT
public:
    InkSegment(const QString& title, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// "Mürekkep" with one segment per ink, "Siyah" and "Mavi", sized to its content.
class InkPicker : public QWidget {
    Q_OBJECT
public:
    explicit InkPicker(QWidget* parent = nullptr);

    InkColor ink() const { return m_ink; }
    void setInk(InkColor ink);
    InkSegment* segment(InkColor ink) const;

signals:
    void inkChanged(InkColor ink);

private:
    QWidget* m_track;
    QList<InkSegment*> m_segments;
    QButtonGroup* m_group;
    InkColor m_ink = InkColor::black;
};
