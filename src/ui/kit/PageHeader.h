#pragma once

#include "AppSection.h"

#include <QWidget>

class QHBoxLayout;

// A page's title and subtitle for its section, with an accessory area on the right.
class PageHeader : public QWidget {
    Q_OBJECT
public:
    explicit PageHeader(AppSection section, QWidget* parent = nullptr);

    // Replaces the accessory (none for nullptr); the header takes ownership.
    void setTrailing(QWidget* trailing);

private:
    QHBoxLayout* m_row;
    QWidget* m_trailing = nullptr;
};
