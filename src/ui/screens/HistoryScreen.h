#pragma once

#include "core/PageInfo.h"

#include <QDateTime>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <functional>

class BannerView;
class Button;
class EmptyState;
class FileList;
class HistoryRow;
class PageHeader;
class QStackedWidget;
class QTimer;
class QVBoxLayout;
class Store;

// The history section: every recorded run, newest first, with reveal buttons and a confirmed way to
// clear the list.
class HistoryScreen : public QWidget {
    Q_OBJECT
public:
    // The history page's key ("history"), title, subtitle and symbol.
    static PageInfo page();
    // What "now" is for the relative dates; the system clock when none is given.
    using Clock = std::function<QDateTime()>;

    explicit HistoryScreen(Store& store, QWidget* parent = nullptr, Clock clock = {});

    QList<HistoryRow*> rows() const;

    // Asks whether to clear the history; only "Temizle" clears it.
    void confirmClear();
    // The same question window-modal over `over`, for any window that offers clearing.
    static QMessageBox* askToClear(Store& store, QWidget* over);
    // Reads every record again: the files on disk and the dates may have changed.
    void refresh();
    // Writes every row's date again against the clock's now.
    void refreshDates();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The section's banner under the header: a reveal that found no file manager says so here.
    void showBanner();

    Store& m_store;
    Clock m_clock;
    PageHeader* m_header;
    Button* m_clear;
    QStackedWidget* m_stack;
    EmptyState* m_empty;
    FileList* m_list;
    QTimer* m_tick;
    QVBoxLayout* m_column;
    QPointer<BannerView> m_banner;
    QPointer<QMessageBox> m_confirmation;
};
