#pragma once

#include "core/PageInfo.h"

#include <QWidget>

class QHBoxLayout;

// A page's title and subtitle of its page, with an accessory area on the right.
class PageHeader : public QWidget {
    Q_OBJECT
public:
    explicit PageHeader(const PageInfo& page, QWidget* parent = nullptr);

    // Replaces the accessory (none for nullptr); the header takes ownership.
    void setTrailing(QWidget* trailing);

private:
    QHBoxLayout* m_row;
    QWidget* m_trailing = nullptr;
};
