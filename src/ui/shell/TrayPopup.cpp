#include "ui/shell/TrayPopup.h"

#include "store/Store.h"
#include "store/ToolModel.h"
#include "ui/kit/BrandMark.h"
#include "ui/kit/Button.h"
#include "ui/kit/FlowGrid.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RelativeDate.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Theme.h"
#include "ui/screens/HistoryDisplay.h"
#include "ui/shell/SettingsForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int padding = 12;
constexpr int tileSpacing = 6;

// A tool's tile: its symbol above its title on a rounded surface; all of it clickable.
class Tile : public QAbstractButton {
public:
    Tile(const ToolModel& tool, QWidget* parent) : QAbstractButton(parent)
    {
        setText(tool.title());
        setAccessibleName(text());
        setCursor(Qt::PointingHandCursor);
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(8, 8, 8, 8);
        column->setSpacing(4);
        auto* symbol = new SymbolView(tool.symbol(), 15, Tone::primary, this);
        auto* title = Labels::text(text(), TextStyle::caption, Tone::primary, this);
        for (QWidget* part : {static_cast<QWidget*>(symbol), static_cast<QWidget*>(title)}) {
            part->setAttribute(Qt::WA_TransparentForMouseEvents);
            column->addWidget(part, 0, Qt::AlignHCenter);
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        painter.fillPath(shape, DS::surface(palette()));
        painter.setPen(QPen(DS::hairline(palette()), 1));
        painter.drawPath(shape);
    }
};

} // namespace

TrayPopup::TrayPopup(Store& store, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_store(store), m_column(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("trayPopup"));
    setFrameShape(QFrame::StyledPanel);
    setMinimumWidth(minimumWidth);
    m_column->setContentsMargins(0, 0, 0, 0);
    connect(&m_store, &Store::dataChanged, this, &TrayPopup::refresh);
    connect(&m_store, &Store::busyChanged, this, &TrayPopup::refresh);
    refresh();
}

void TrayPopup::refresh()
{
    // The old content goes once its events are done: a click on it may be what changed the Store.
    if (m_content) {
        m_content->hide();
        m_content->deleteLater();
    }
    m_content = new QWidget(this);
    auto* column = new QVBoxLayout(m_content);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(10);
    column->addWidget(header());
    column->addWidget(tiles());
    column->addWidget(Labels::overline(tr("Son dosyalar"), m_content));
    column->addWidget(recent());
    column->addWidget(SettingsForm::divider(m_content));
    column->addWidget(footer());
    m_column->addWidget(m_content);
    adjustSize();
}

QWidget* TrayPopup::header()
{
    auto* box = new QWidget(m_content);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(new BrandMark(20, box));
    row->addWidget(
        Labels::text(QStringLiteral("Leaflow"), TextStyle::headline, Tone::primary, box));
    row->addStretch(1);
    if (const ToolModel* busy = m_store.busy() ? m_store.tool(*m_store.busy()) : nullptr) {
        auto* spinner = new Button(QString(), Button::Kind::borderless, box);
        spinner->setBusy(true);
        spinner->setEnabled(false);
        spinner->setObjectName(QStringLiteral("busySpinner"));
        row->addWidget(spinner);
        auto* title = Labels::text(busy->title(), TextStyle::caption, Tone::secondary, box);
        title->setObjectName(QStringLiteral("busyTitle"));
        row->addWidget(title);
    }
    return box;
}

QWidget* TrayPopup::tiles()
{
    auto* box = new QWidget(m_content);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(tileSpacing);
    QList<Tile*> tiles;
    int widest = tileMinimum;
    for (const ToolModel* tool : m_store.tools()) {
        auto* tile = new Tile(*tool, box);
        connect(tile, &QAbstractButton::clicked, this, [this, key = tool->key()] {
            hide();
            emit toolChosen(key);
        });
        widest = std::max(widest, tile->minimumSizeHint().width());
        tiles << tile;
    }
    // The columns come from the popup's own width, never from a size it has before its first
    // showing, and a tile is as wide as the longest title in this language needs.
    const int columns = FlowGrid::columns(minimumWidth - 2 * padding,
                                          static_cast<int>(tiles.size()), widest, tileSpacing)
                            .count;
    for (int column = 0; column < columns; ++column) {
        grid->setColumnStretch(column, 1);
        grid->setColumnMinimumWidth(column, widest);
    }
    for (int index = 0; index < tiles.size(); ++index) {
        grid->addWidget(tiles.at(index), index / columns, index % columns);
    }
    return box;
}

QWidget* TrayPopup::recent()
{
    const QList<HistoryItem>& history = m_store.data().history;
    if (history.isEmpty()) {
        auto* empty = Labels::text(tr("Henüz dosya üretmedin. Bir araç seç ve PDF ekle."),
                                   TextStyle::callout, Tone::secondary, m_content);
        empty->setWordWrap(true);
        return empty;
    }
    auto* box = new QWidget(m_content);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    for (const HistoryItem& item : history.mid(0, recentCount)) {
        column->addWidget(recentRow(item));
    }
    return box;
}

QWidget* TrayPopup::recentRow(const HistoryItem& item)
{
    auto* box = new QWidget(m_content);
    box->setObjectName(QStringLiteral("recentRow"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto* symbol =
        new SymbolView(HistoryDisplay::symbol(m_store.tool(item.tool)), 14, Tone::secondary, box);
    symbol->setFixedWidth(18);
    row->addWidget(symbol);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(new ElidedLabel(HistoryDisplay::title(item), TextStyle::body, Tone::primary,
                                     Qt::ElideMiddle, box));
    texts->addWidget(Labels::text(RelativeDate::text(item.date, QDateTime::currentDateTime()),
                                  TextStyle::caption, Tone::secondary, box));
    row->addLayout(texts, 1);
    auto* reveal = new Button(QString(), Button::Kind::borderless, box);
    reveal->setObjectName(QStringLiteral("reveal"));
    reveal->setSymbol(QStringLiteral("magnifyingglass"), 13, Tone::secondary);
    reveal->setAccessibleName(tr("Finder'da göster"));
    tip(reveal, tr("Finder'da göster"));
    const QStringList existing = HistoryDisplay::existing(item);
    reveal->setEnabled(!existing.isEmpty());
    connect(reveal, &QAbstractButton::clicked, this, [this, existing] {
        hide();
        emit revealRequested(existing);
    });
    row->addWidget(reveal);
    return box;
}

QWidget* TrayPopup::footer()
{
    auto* box = new QWidget(m_content);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* open = new Button(tr("Aç"), Button::Kind::bordered, box);
    auto* settings = new Button(QString(), Button::Kind::borderless, box);
    settings->setSymbol(QStringLiteral("gearshape"), 15, Tone::secondary);
    settings->setAccessibleName(tr("Ayarlar"));
    tip(settings, tr("Ayarlar"));
    auto* quit = new Button(tr("Çık"), Button::Kind::bordered, box);
    row->addWidget(open);
    row->addWidget(settings);
    row->addStretch(1);
    row->addWidget(quit);
    const auto closeThen = [this](void (TrayPopup::*signal)()) {
        return [this, signal] {
            hide();
            emit(this->*signal)();
        };
    };
    connect(open, &QAbstractButton::clicked, this, closeThen(&TrayPopup::openRequested));
    connect(settings, &QAbstractButton::clicked, this, closeThen(&TrayPopup::settingsRequested));
    connect(quit, &QAbstractButton::clicked, this, closeThen(&TrayPopup::quitRequested));
    return box;
}
