#include "ui/screens/HistoryScreen.h"

#include "store/Store.h"
#include "store/ToolModel.h"
#include "ui/kit/BannerView.h"
#include "ui/kit/BrandMark.h"
#include "ui/kit/Button.h"
#include "ui/kit/EmptyState.h"
#include "ui/kit/FileList.h"
#include "ui/kit/PageHeader.h"
#include "ui/kit/TabOrder.h"
#include "ui/kit/Theme.h"
#include "ui/screens/HistoryRow.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Relative dates move on by the minute at most; this keeps "şimdi" from going stale.
constexpr int dateTickMs = 30 * 1000;
constexpr int alertIcon = 56;

} // namespace

PageInfo HistoryScreen::page()
{
    return {QStringLiteral("history"), QCoreApplication::translate("SectionText", "Geçmiş"),
            QCoreApplication::translate("SectionText", "Bu Mac'te ürettiğin dosyalar."),
            QStringLiteral("clock.arrow.circlepath")};
}

HistoryScreen::HistoryScreen(Store& store, QWidget* parent, Clock clock)
    : QWidget(parent), m_store(store),
      m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })),
      m_header(new PageHeader(page())),
      m_clear(new Button(tr("Geçmişi temizle…"), Button::Kind::bordered)),
      m_stack(new QStackedWidget),
      m_empty(new EmptyState(QStringLiteral("clock.arrow.circlepath"), tr("Henüz kayıt yok"),
                             tr("Bir araçla dosya ürettiğinde burada görünür. Soldan bir araç "
                                "seç ve PDF ekle."))),
      m_list(new FileList(false)), m_tick(new QTimer(this)), m_column(new QVBoxLayout(this))
{
    m_list->setAccessibleName(tr("Geçmiş kayıtları"));
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(0);
    m_header->setTrailing(m_clear);
    m_column->addWidget(m_header);
    m_stack->addWidget(m_empty);
    m_stack->addWidget(m_list);
    m_column->addWidget(m_stack, 1);

    connect(m_clear, &QAbstractButton::clicked, this, &HistoryScreen::confirmClear);
    connect(&m_store, &Store::dataChanged, this, &HistoryScreen::refresh);
    connect(&m_store, &Store::bannersChanged, this, &HistoryScreen::showBanner);
    m_tick->setInterval(dateTickMs);
    connect(m_tick, &QTimer::timeout, this, &HistoryScreen::refreshDates);
    m_tick->start();
    refresh();
    showBanner();
}

void HistoryScreen::showBanner()
{
    const std::optional<Banner> banner = m_store.banner(page().key);
    if (m_banner && banner && m_banner->banner() == *banner) {
        return;
    }
    if (m_banner) {
        m_column->removeWidget(m_banner);
        m_banner->deleteLater();
    }
    if (!banner) {
        return;
    }
    m_banner = new BannerView(*banner, this);
    m_column->insertWidget(1, m_banner);
    connect(m_banner, &BannerView::dismissed, this, [this] { m_store.removeBanner(page().key); });
    connect(m_banner, &BannerView::revealRequested, this,
            [this](const QStringList& paths) { m_store.reveal(paths, page().key); });
}

QList<HistoryRow*> HistoryScreen::rows() const
{
    QList<HistoryRow*> rows;
    for (int index = 0; index < m_list->count(); ++index) {
        rows << static_cast<HistoryRow*>(m_list->row(index));
    }
    return rows;
}

void HistoryScreen::refresh()
{
    const QList<HistoryItem>& history = m_store.data().history;
    const QDateTime now = m_clock();
    QList<QWidget*> rows;
    rows.reserve(history.size());
    for (const HistoryItem& item : history) {
        auto* row = new HistoryRow(item, m_store.tool(item.tool), now);
        connect(row, &HistoryRow::revealRequested, &m_store,
                [this](const QStringList& paths) { m_store.reveal(paths, page().key); });
        rows << row;
    }
    m_list->setRows(rows);
    m_stack->setCurrentWidget(history.isEmpty() ? static_cast<QWidget*>(m_empty) : m_list);
    m_clear->setEnabled(!history.isEmpty());
}

void HistoryScreen::refreshDates()
{
    const QDateTime now = m_clock();
    for (HistoryRow* row : rows()) {
        row->setNow(now);
    }
}

void HistoryScreen::confirmClear()
{
    if (m_confirmation || m_store.data().history.isEmpty()) {
        return;
    }
    m_confirmation = askToClear(m_store, this);
}

QMessageBox* HistoryScreen::askToClear(Store& store, QWidget* over)
{
    auto* box = new QMessageBox(over);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Like the platform's alerts, the box carries the application's own mark.
    const qreal ratio = over->devicePixelRatioF();
    QPixmap mark = QPixmap::fromImage(BrandMark::image(qRound(alertIcon * ratio)));
    mark.setDevicePixelRatio(ratio);
    box->setIconPixmap(mark);
    box->setWindowTitle(page().title);
    box->setText(tr("Geçmiş temizlensin mi?"));
    box->setInformativeText(tr("Yalnız liste temizlenir. Ürettiğin dosyalar yerinde kalır."));
    QPushButton* clear = box->addButton(tr("Temizle"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box->addButton(tr("Vazgeç"), QMessageBox::RejectRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    QObject::connect(box, &QMessageBox::finished, &store, [&store, box, clear] {
        // Only the destructive button clears; closing the box any other way keeps the list.
        if (box->clickedButton() == clear) {
            store.clearHistory();
        }
    });
    box->open();
    return box;
}

bool HistoryScreen::focusNextPrevChild(bool next)
{
    // Rows and the banner come later than the header; Tab still meets them as laid out.
    TabOrder::followLayout(*this);
    const bool moved = QWidget::focusNextPrevChild(next);
    TabOrder::reveal(window()->focusWidget());
    return moved;
}

void HistoryScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), DS::canvas(palette()));
}

void HistoryScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Files may have been moved or deleted while another section was showing.
    refresh();
}
