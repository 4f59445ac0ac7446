#include "ui/screens/PagesScreen.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "store/Store.h"
#include "tools/pages/PagesTool.h"
#include "ui/kit/AlertLabel.h"
#include "ui/kit/Button.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RunButton.h"
#include "ui/screens/PageGrid.h"
#include "ui/screens/ScreenBinding.h"

#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int cardGap = 8; // with the cells' own half gap, 16 between the card and the first row

} // namespace

PagesScreen::PagesScreen(PagesTool& tool, Store& store, QWidget* parent)
    : ToolPage(tool.page(), parent), m_tool(tool), m_store(store),
      m_display(ScreenBinding::fileDisplay(store)), m_actions(new QWidget),
      m_invert(new Button(tr("Seçimi ters çevir"), Button::Kind::bordered)),
      m_clearSelection(new Button(tr("Seçimi temizle"), Button::Kind::bordered)),
      m_stack(new QStackedWidget),
      m_drop(new DropZone(QStringLiteral("rectangle.stack.badge.minus"), tr("PDF'i buraya bırak"),
                          tr("Sayfaları görürsün, silmek istediklerine tıklarsın. Asıl dosya "
                             "değişmez."))),
      m_document(new QWidget), m_documentColumn(new QVBoxLayout(m_document)),
      m_grid(new PageGrid(store)), m_summary(new AlertLabel(TextStyle::callout, Tone::primary)),
      m_run(new RunButton(tool.key(), tr("Seçili sayfaları sil…")))
{
    auto* actions = new QHBoxLayout(m_actions);
    actions->setContentsMargins(0, 0, 0, 0);
    actions->setSpacing(8);
    actions->addWidget(m_invert);
    actions->addWidget(m_clearSelection);
    setTrailing(m_actions);

    m_documentColumn->setContentsMargins(0, 0, 0, 0);
    m_documentColumn->setSpacing(cardGap);
    m_documentColumn->addWidget(m_grid, 1);
    ScreenBinding::stackDocument(*this, *m_stack, *m_drop, *m_document, *m_summary);
    m_run->addTo(*footer());

    connect(m_drop, &DropZone::chooseRequested, this, [this] { m_store.open(m_tool); });
    connect(m_invert, &QAbstractButton::clicked, this, &PagesScreen::invert);
    connect(m_clearSelection, &QAbstractButton::clicked, this,
            [this] { m_tool.setPagesSelected({}); });
    connect(m_grid, &PageGrid::toggled, this, &PagesScreen::toggle);
    connect(&m_tool, &PagesTool::pagesFileChanged, this, &PagesScreen::showFile);
    connect(&m_tool, &PagesTool::pagesSelectedChanged, this, &PagesScreen::showSelection);

    ScreenBinding::bindPage(*this, m_tool, store);
    ScreenBinding::bindRunButton(*m_run, m_tool, store);
    setTabOrderFollowsLayout(true);
    ScreenBinding::reloadThumbsWhenReady(*this, store);
    showFile();
}

void PagesScreen::showFile()
{
    const std::optional<PDFFile>& file = m_tool.pagesFile();
    ScreenBinding::placeFileCard(*m_documentColumn, m_cardSlot, file ? &*file : nullptr, m_display,
                                 m_tool, m_store);
    m_grid->setFile(file);
    m_stack->setCurrentWidget(file ? m_document : static_cast<QWidget*>(m_drop));
    m_actions->setVisible(file.has_value());
    showSelection();
}

void PagesScreen::showSelection()
{
    const std::optional<PDFFile>& file = m_tool.pagesFile();
    const QSet<int>& selected = m_tool.pagesSelected();
    m_grid->setSelected(selected);
    m_clearSelection->setEnabled(!selected.isEmpty());

    const qint64 pages = file ? file->pageCount : 0;
    const qint64 marked = selected.size();
    const QLocale locale = AppLanguages::locale();
    // Marking the last page too is refused, and a screen reader hears why.
    const bool refused = file && marked >= pages;
    if (!file) {
        m_summary->setMessage(QString());
    } else if (refused) {
        m_summary->setMessage(tr("En az bir sayfa kalmalı."));
    } else if (marked > 0) {
        m_summary->setMessage(tr("Silinecek: %1 · Kalacak: %2")
                                  .arg(Formatting::count(marked, locale),
                                       Formatting::count(pages - marked, locale)),
                              false);
    } else {
        m_summary->setMessage(tr("Silmek istediğin sayfalara tıkla."), false);
    }
    m_summary->setTone(refused ? Tone::down : Tone::primary);
    m_run->setReady(file && marked > 0 && marked < pages);
}

void PagesScreen::toggle(int page)
{
    QSet<int> selected = m_tool.pagesSelected();
    if (!selected.remove(page)) {
        selected.insert(page);
    }
    m_tool.setPagesSelected(selected);
}

void PagesScreen::invert()
{
    const std::optional<PDFFile>& file = m_tool.pagesFile();
    if (!file) {
        return;
    }
    const QSet<int>& selected = m_tool.pagesSelected();
    QSet<int> inverted;
    for (int page = 0; page < file->pageCount; ++page) {
        if (!selected.contains(page)) {
            inverted.insert(page);
        }
    }
    m_tool.setPagesSelected(inverted);
}
