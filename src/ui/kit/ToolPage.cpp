#include "ui/kit/ToolPage.h"

#include "ui/kit/BannerView.h"
#include "ui/kit/PageHeader.h"
#include "ui/kit/RunButton.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/TabOrder.h"
#include "ui/kit/Theme.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr qreal outlineWidth = 2;

// The bar under the content: a slightly lifted material with a divider along its top.
class FooterBar : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const bool dark = Theme::isDark(palette());
        QColor material = DS::surface(palette());
        material.setAlphaF(dark ? 0.35F : 0.6F);
        painter.fillRect(rect(), material);
        QColor divider = Theme::primary(palette());
        divider.setAlphaF(dark ? 0.16F : 0.1F);
        painter.fillRect(QRect(0, 0, width(), 1), divider);
    }
};

// The accent outline shown while files hover over the page; it never takes clicks.
class DropOutline : public QWidget {
public:
    explicit DropOutline(QWidget* page) : QWidget(page)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        hide();
    }

    QRectF outline() const
    {
        const qreal inset = Metrics::dropInset + outlineWidth / 2;
        return QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Theme::accent(palette()), outlineWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(Shapes::continuousRect(outline(), Metrics::cardRadius));
    }
};

} // namespace

QStringList ToolPage::localFiles(const QMimeData* mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    return paths;
}

ToolPage::ToolPage(const PageInfo& page, QWidget* parent)
    : QWidget(parent), m_key(page.key), m_header(new PageHeader(page, this)),
      m_bannerSlot(new QVBoxLayout), m_contentSlot(new QVBoxLayout),
      m_footerBar(new FooterBar(this)), m_footer(new QHBoxLayout(m_footerBar)),
      m_outline(new DropOutline(this))
{
    setAcceptDrops(true);
    setAutoFillBackground(false);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(m_header);
    m_bannerSlot->setContentsMargins(0, 0, 0, 0);
    stack->addLayout(m_bannerSlot);
    m_contentSlot->setContentsMargins(0, 0, 0, 0);
    stack->addLayout(m_contentSlot, 1);
    stack->addWidget(m_footerBar);

    m_footerBar->setFont(Theme::font(TextStyle::callout));
    m_footer->setContentsMargins(Metrics::pageSide, Metrics::footerVertical, Metrics::pageSide,
                                 Metrics::footerVertical);
    m_footer->setSpacing(Metrics::rowSpacing);

    // Children that take drops of their own (text fields, lists) would otherwise
    // swallow dropped files; the page sees every drag inside it first.
    qApp->installEventFilter(this);
}

void ToolPage::setTrailing(QWidget* trailing)
{
    m_header->setTrailing(trailing);
}

void ToolPage::setContent(QWidget* content)
{
    if (m_content) {
        m_contentSlot->removeWidget(m_content);
        m_content->deleteLater();
    }
    m_content = content;
    if (content) {
        m_contentSlot->addWidget(content);
    }
    placeBanner();
    m_outline->raise();
}

void ToolPage::setBanner(const std::optional<Banner>& banner)
{
    if (m_banner && banner && m_banner->banner() == *banner) {
        return;
    }
    if (m_banner) {
        m_bannerSlot->removeWidget(m_banner);
        m_banner->deleteLater();
        m_banner = nullptr;
    }
    if (!banner) {
        return;
    }
    m_banner = new BannerView(*banner, this);
    if (m_bannerOver) {
        m_banner->setOpaque(true);
        placeBanner();
        m_banner->show();
    } else {
        m_bannerSlot->addWidget(m_banner);
    }
    // The banner speaks of the page under it: Tab reaches it right after the header.
    QWidget* header = m_header;
    while (m_header->isAncestorOf(header->nextInFocusChain())) {
        header = header->nextInFocusChain();
    }
    QWidget::setTabOrder(header, m_banner);
    connect(m_banner, &BannerView::dismissed, this, &ToolPage::bannerDismissed);
    connect(m_banner, &BannerView::revealRequested, this, &ToolPage::revealRequested);
    connect(m_banner, &BannerView::openRequested, this, &ToolPage::openRequested);
    alignBanner();
    m_outline->raise();
}

void ToolPage::setBannerOverContent(bool over)
{
    m_bannerOver = over;
    // The header's height decides where the content, and so the banner, begins.
    m_header->installEventFilter(this);
}

void ToolPage::placeBanner()
{
    if (!m_banner || !m_bannerOver) {
        return;
    }
    const int top = m_header->geometry().bottom() + 1;
    m_banner->setGeometry(0, top, width(), m_banner->layout()->totalHeightForWidth(width()));
    m_banner->raise();
    m_outline->raise();
}

void ToolPage::alignBanner()
{
    m_aligning = false;
    if (!m_banner || !m_content) {
        return;
    }
    int inset = 0;
    for (const QScrollBar* bar : m_content->findChildren<QScrollBar*>()) {
        if (bar->orientation() == Qt::Vertical && bar->isVisible() &&
            bar->mapTo(this, QPoint(bar->width(), 0)).x() >= width()) {
            inset = std::max(inset, bar->width());
        }
    }
    m_banner->setTrailingInset(inset);
}

void ToolPage::alignBannerLater()
{
    // Scroll bars come and go while the layouts settle; the banner follows once they have.
    if (!m_aligning) {
        m_aligning = true;
        QMetaObject::invokeMethod(this, &ToolPage::alignBanner, Qt::QueuedConnection);
    }
}

void ToolPage::setTargeted(bool targeted)
{
    if (targeted == m_targeted) {
        return;
    }
    m_targeted = targeted;
    m_outline->setGeometry(rect());
    m_outline->setVisible(targeted);
    m_outline->raise();
}

bool ToolPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_header && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        placeBanner();
        return false;
    }
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
        if (m_banner && qobject_cast<QScrollBar*>(watched) &&
            isAncestorOf(static_cast<QWidget*>(watched))) {
            alignBannerLater();
        }
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop: break;
    default: return false;
    }
    if (!watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if ((widget != this && !isAncestorOf(widget)) || widget->property(takesOwnDrops).toBool()) {
        return false;
    }
    return handleDrag(event);
}

bool ToolPage::handleDrag(QEvent* event)
{
    if (event->type() == QEvent::DragLeave) {
        setTargeted(false);
        return false;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = localFiles(drop->mimeData());
    if (paths.isEmpty()) {
        return false;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) {
        setTargeted(false);
        emit filesDropped(paths);
    } else {
        setTargeted(true);
    }
    return true;
}

bool ToolPage::focusNextPrevChild(bool next)
{
    // Qt hands the focus of a control that is disabled or hidden to the next one in the chain;
    // while this page runs, a control the run takes out of use hands it to "Vazgeç" instead
    // (never to a row's remove button, where the next Space would remove a file).
    QWidget* from = window()->focusWidget();
    if (from && isVisible() && isAncestorOf(from) && !(from->isEnabled() && from->isVisible())) {
        auto* run = findChild<RunButton*>();
        if (run && run->holdFocus(RunButton::focusReasonFrom(*from))) {
            return true;
        }
    }
    if (m_tabFollowsLayout) {
        TabOrder::followLayout(*this);
    }
    if (!QWidget::focusNextPrevChild(next)) {
        return false;
    }
    TabOrder::reveal(window()->focusWidget());
    return true;
}

void ToolPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), DS::canvas(palette()));
}

void ToolPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_outline->setGeometry(rect());
    placeBanner();
    alignBannerLater();
}
