#include "ui/screens/SplitScreen.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "store/Store.h"
#include "tools/split/SplitTool.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/Labels.h"
#include "ui/kit/QuietScrollBar.h"
#include "ui/kit/RunButton.h"
#include "ui/kit/SingleFileCard.h"
#include "ui/screens/ScreenBinding.h"
#include "ui/screens/SplitOptions.h"

#include <QFileInfo>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

SplitScreen::SplitScreen(SplitTool& tool, Store& store, QWidget* parent, int shown)
    : ToolPage(tool.page(), parent), m_tool(tool), m_store(store),
      m_display(ScreenBinding::fileDisplay(store)), m_stack(new QStackedWidget),
      m_drop(new DropZone(QStringLiteral("scissors"), tr("Bölünecek PDF'i buraya bırak"),
                          tr("Her sayfayı ayrı dosya yapabilir ya da istediğin aralıkları "
                             "çıkarabilirsin."))),
      m_scroll(new QScrollArea), m_column(new QVBoxLayout), m_options(new SplitOptions(tool)),
      m_preview(new SplitPreview(shown)),
      m_count(Labels::text(QString(), TextStyle::callout, Tone::secondary)),
      m_run(new RunButton(tool.key(), tr("Böl…")))
{
    auto* cards = new QWidget;
    cards->setLayout(m_column);
    m_column->setContentsMargins(Metrics::pageSide, 0, Metrics::pageSide, 16);
    m_column->setSpacing(16);
    m_column->addWidget(m_options);
    m_column->addWidget(m_preview);
    m_column->addStretch(1);
    m_scroll->setWidget(cards);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->viewport()->setAutoFillBackground(false);
    // Tab goes to the cards' controls, which the area scrolls into view; it is no stop itself.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    quietScrollBar(m_scroll);
    cards->setAutoFillBackground(false);

    m_stack->addWidget(m_drop);
    m_stack->addWidget(m_scroll);
    setContent(m_stack);

    m_count->setFont(Theme::monospacedDigits(Theme::font(TextStyle::callout)));
    m_count->setObjectName(QStringLiteral("count"));
    footer()->addWidget(m_count);
    footer()->addStretch(1);
    m_run->addTo(*footer());

    connect(m_drop, &DropZone::chooseRequested, this, [this] { m_store.open(m_tool); });
    connect(&m_tool, &SplitTool::splitFileChanged, this, &SplitScreen::showFile);
    connect(&m_tool, &SplitTool::splitEveryChanged, this, &SplitScreen::showOutcome);
    connect(&m_tool, &SplitTool::splitModeChanged, this, [this] { askForRanges(false); });
    connect(&m_tool, &SplitTool::splitRangesChanged, this, [this] { askForRanges(true); });
    // Running with ranges the split cannot take puts the reason on the banner; the preview
    // says it too from then on.
    connect(&m_store, &Store::bannersChanged, this, [this] {
        if (const std::optional<Banner> banner = m_store.banner(m_tool.key());
            banner && banner->isError()) {
            askForRanges(true);
        }
    });

    ScreenBinding::bindPage(*this, m_tool, store);
    ScreenBinding::bindRunButton(*m_run, m_tool, store);
    setTabOrderFollowsLayout(true);
    ScreenBinding::reloadThumbsWhenReady(*this, store);
    showFile();
}

void SplitScreen::showFile()
{
    if (m_card) {
        m_column->removeWidget(m_card);
        m_card->hide();
        m_card->deleteLater();
        m_card = nullptr;
    }
    const std::optional<PDFFile>& file = m_tool.splitFile();
    m_rangesAsked = false;
    if (file) {
        m_card = new SingleFileCard(*file, m_display);
        connect(m_card, &SingleFileCard::openRequested, this, [this] { m_store.open(m_tool); });
        connect(m_card, &SingleFileCard::clearRequested, this, [this] { m_store.clear(m_tool); });
        m_column->insertWidget(0, m_card);
    }
    m_stack->setCurrentWidget(file ? static_cast<QWidget*>(m_scroll) : m_drop);
    showOutcome();
}

SplitOutcome SplitScreen::outcome() const
{
    // Ranges not written yet are no mistake: the field's example shows what to write, and the
    // reason appears once something is typed or a run is tried.
    if (m_tool.splitMode() == SplitMode::ranges && !m_rangesAsked &&
        m_tool.splitRanges().trimmed().isEmpty()) {
        return {};
    }
    return m_tool.splitGroups();
}

void SplitScreen::askForRanges(bool asked)
{
    m_rangesAsked = asked;
    showOutcome();
}

void SplitScreen::showOutcome()
{
    const std::optional<PDFFile>& file = m_tool.splitFile();
    if (!file) {
        m_count->clear();
        m_run->setReady(false);
        return;
    }
    const SplitOutcome groups = outcome();
    m_preview->showOutcome(QFileInfo(file->source.path).fileName(), groups);
    const qint64 files = groups.groups.size();
    m_count->setText(
        files > 0 ? tr("Oluşacak dosya: %1").arg(Formatting::count(files, AppLanguages::locale()))
                  : QString());
    m_run->setReady(files > 0);
}
