#include "ui/screens/OrganizeScreen.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "store/Store.h"
#include "tools/organize/OrganizeTool.h"
#include "ui/kit/AlertLabel.h"
#include "ui/kit/Button.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/RunButton.h"
#include "ui/screens/OrganizeGrid.h"
#include "ui/screens/PageGridModel.h"
#include "ui/screens/ScreenBinding.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int cardGap = 8; // with the cells' own half gap, 16 between the toolbar and the first row
constexpr int buttonGap = 8;
constexpr int groupGap = 16;

} // namespace

OrganizeScreen::OrganizeScreen(OrganizeTool& tool, Store& store, QWidget* parent)
    : ToolPage(tool.page(), parent), m_tool(tool), m_store(store),
      m_display(ScreenBinding::fileDisplay(store)), m_steps(new QWidget),
      m_undo(new Button(tr("Geri al"))), m_redo(new Button(tr("Yinele"))),
      m_reset(new Button(tr("Sıfırla"))), m_stack(new QStackedWidget),
      m_drop(new DropZone(tool.symbol(), tr("PDF'i buraya bırak"),
                          tr("Sayfaları döndürür, sıralar, çoğaltır ya da silersin. Asıl dosya "
                             "değişmez."))),
      m_document(new QWidget), m_documentColumn(new QVBoxLayout(m_document)),
      m_toolbar(new QWidget), m_rotateLeft(new Button(tr("Sola döndür"))),
      m_rotateRight(new Button(tr("Sağa döndür"))), m_duplicate(new Button(tr("Çoğalt"))),
      m_delete(new Button(tr("Sil"))), m_addPDF(new Button(tr("PDF ekle…"))),
      m_grid(new OrganizeGrid(store)),
      m_summary(new AlertLabel(TextStyle::callout, Tone::secondary)),
      m_extract(new Button(tr("Seçilenleri ayrı kaydet…"))),
      m_run(new RunButton(tool.key(), tr("Kaydet…")))
{
    auto* steps = new QHBoxLayout(m_steps);
    steps->setContentsMargins(0, 0, 0, 0);
    steps->setSpacing(buttonGap);
    steps->addWidget(m_undo);
    steps->addWidget(m_redo);
    steps->addWidget(m_reset);
    setTrailing(m_steps);

    makeToolbar();
    m_documentColumn->setContentsMargins(0, 0, 0, 0);
    m_documentColumn->setSpacing(cardGap);
    m_documentColumn->addWidget(m_toolbar);
    m_documentColumn->addWidget(m_grid, 1);
    ScreenBinding::stackDocument(*this, *m_stack, *m_drop, *m_document, *m_summary);
    footer()->addWidget(m_extract);
    m_run->addTo(*footer());

    connect(m_drop, &DropZone::chooseRequested, this, [this] { m_store.open(m_tool); });
    connect(m_undo, &QAbstractButton::clicked, &m_tool, &OrganizeTool::undo);
    connect(m_redo, &QAbstractButton::clicked, &m_tool, &OrganizeTool::redo);
    connect(m_reset, &QAbstractButton::clicked, &m_tool, &OrganizeTool::reset);
    connect(m_extract, &QAbstractButton::clicked, &m_tool, &OrganizeTool::extractSelected);
    connect(m_grid, &PageGrid::selectionEdited, &m_tool, &OrganizeTool::setOrganizeSelected);
    connect(m_grid, &OrganizeGrid::moveRequested, &m_tool, &OrganizeTool::move);
    connect(m_grid, &OrganizeGrid::filesDropped, this, &OrganizeScreen::insertDropped);
    connect(&m_tool, &OrganizeTool::organizeFilesChanged, this, &OrganizeScreen::showFiles);
    connect(&m_tool, &OrganizeTool::arrangementChanged, this, &OrganizeScreen::showPages);
    connect(&m_tool, &OrganizeTool::organizeSelectedChanged, this, &OrganizeScreen::showSelection);
    makeShortcuts();

    ScreenBinding::bindPage(*this, m_tool, store);
    ScreenBinding::bindRunButton(*m_run, m_tool, store);
    setTabOrderFollowsLayout(true);
    ScreenBinding::reloadThumbsWhenReady(*this, store);
    showFiles();
}

void OrganizeScreen::makeToolbar()
{
    auto* row = new QHBoxLayout(m_toolbar);
    row->setContentsMargins(Metrics::pageSide, 0, Metrics::pageSide, 0);
    row->setSpacing(buttonGap);
    row->addWidget(m_rotateLeft);
    row->addWidget(m_rotateRight);
    row->addSpacing(groupGap - buttonGap);
    row->addWidget(m_duplicate);
    row->addWidget(m_delete);
    row->addSpacing(groupGap - buttonGap);
    row->addWidget(m_addPDF);
    row->addStretch(1);
    m_delete->setSymbol(QStringLiteral("trash"));
    m_addPDF->setSymbol(QStringLiteral("plus"));
    connect(m_rotateLeft, &QAbstractButton::clicked, this, [this] { m_tool.rotateSelected(-1); });
    connect(m_rotateRight, &QAbstractButton::clicked, this, [this] { m_tool.rotateSelected(1); });
    connect(m_duplicate, &QAbstractButton::clicked, &m_tool, &OrganizeTool::duplicateSelected);
    connect(m_delete, &QAbstractButton::clicked, &m_tool, &OrganizeTool::deleteSelected);
    connect(m_addPDF, &QAbstractButton::clicked, this, &OrganizeScreen::addPDF);
}

void OrganizeScreen::addShortcut(const QKeySequence& keys, const std::function<void()>& act)
{
    auto* shortcut = new QShortcut(keys, this);
    // The keys act on this page only, wherever its focus is (the grid, a button).
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, act);
}

void OrganizeScreen::makeShortcuts()
{
    const auto rotate = [this](int turns) {
        return [this, turns] { m_tool.rotateSelected(turns); };
    };
    const auto move = [this](int step) { return [this, step] { m_tool.moveSelected(step); }; };
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), rotate(-1));
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketRight), rotate(1));
    addShortcut(QKeySequence(Qt::SHIFT | Qt::Key_R), rotate(-1));
    addShortcut(QKeySequence(Qt::Key_R), rotate(1));
    addShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), move(-1));
    addShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), move(1));
    addShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left), move(-1));
    addShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right), move(1));
    addShortcut(QKeySequence(Qt::Key_Delete), [this] { m_tool.deleteSelected(); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { m_tool.duplicateSelected(); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { m_tool.undo(); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { m_tool.redo(); });
}

void OrganizeScreen::showFiles()
{
    const QList<PDFFile>& files = m_tool.organizeFiles();
    ScreenBinding::placeFileCard(*m_documentColumn, m_cardSlot,
                                 files.isEmpty() ? nullptr : &files.first(), m_display, m_tool,
                                 m_store);
    m_stack->setCurrentWidget(files.isEmpty() ? static_cast<QWidget*>(m_drop) : m_document);
    m_steps->setVisible(!files.isEmpty());
    m_extract->setVisible(!files.isEmpty());
    showPages();
}

void OrganizeScreen::showPages()
{
    m_grid->setPages(m_tool.organizeFiles(), m_tool.arrangement());
    m_run->setReady(!m_tool.organizeFiles().isEmpty() && !m_tool.arrangement().isEmpty());
    showSelection();
    showSteps();
}

void OrganizeScreen::showSelection()
{
    const QSet<int>& selected = m_tool.organizeSelected();
    m_grid->setSelected(selected);
    // The current cell follows a selection the keys or buttons moved.
    const QModelIndex current = m_grid->currentIndex();
    if (!selected.isEmpty() && (!current.isValid() || !selected.contains(current.row()))) {
        const int first = *std::min_element(selected.begin(), selected.end());
        m_grid->selectionModel()->setCurrentIndex(m_grid->model()->index(first, 0),
                                                  QItemSelectionModel::NoUpdate);
        m_grid->scrollTo(m_grid->currentIndex());
    }
    const bool any = !selected.isEmpty();
    for (Button* button : {m_rotateLeft, m_rotateRight, m_duplicate, m_delete, m_extract}) {
        button->setEnabled(any);
    }
    const QLocale locale = AppLanguages::locale();
    const auto pages = Formatting::count(m_tool.arrangement().size(), locale);
    m_summary->setMessage(m_tool.organizeFiles().isEmpty()
                              ? QString()
                              : (any ? tr("%1 sayfa · %2 seçili")
                                           .arg(pages, Formatting::count(selected.size(), locale))
                                     : tr("%1 sayfa").arg(pages)),
                          false);
}

void OrganizeScreen::showSteps()
{
    m_undo->setEnabled(m_tool.canUndo());
    m_redo->setEnabled(m_tool.canRedo());
    m_reset->setEnabled(m_tool.edited());
}

void OrganizeScreen::addPDF()
{
    const QSet<int>& selected = m_tool.organizeSelected();
    m_tool.insertAt(selected.isEmpty() ? static_cast<int>(m_tool.arrangement().size())
                                       : *std::max_element(selected.begin(), selected.end()) + 1);
}

void OrganizeScreen::insertDropped(const QStringList& paths, int before)
{
    m_tool.insertAt(before, paths);
}
