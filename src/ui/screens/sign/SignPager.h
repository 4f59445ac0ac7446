#pragma once

#include <QWidget>

class Button;
class QLabel;
class SignTool;
class Store;

// The row under the page being signed: previous and next page, "Sayfa n / m"
// and, once anything is placed, the count of placed signatures on all pages.
class SignPager : public QWidget {
    Q_OBJECT
public:
    static constexpr int labelWidth = 110;

    explicit SignPager(SignTool& tool, QWidget* parent = nullptr);

    // "Sayfa n / m" for the zero-based `page` of `pages`.
    static QString pageText(int page, qint64 pages);

private:
    static QString countText(qsizetype placed);
    void refresh();
    void turn(int by);

    SignTool& m_tool;
    Store& m_store;
    Button* m_previous;
    QLabel* m_page;
    Button* m_next;
    QLabel* m_count;
};
