#include "ui/screens/sign/SignView.h"

#include "store/Dialogs.h"
#include "store/Store.h"
#include "tools/sign/SignTool.h"
#include "ui/kit/Button.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RunButton.h"
#include "ui/kit/Theme.h"
#include "ui/kit/ToolPage.h"
#include "ui/screens/ScreenBinding.h"
#include "ui/screens/sign/SignCanvas.h"
#include "ui/screens/sign/SignPager.h"
#include "ui/screens/sign/SignaturePanel.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The thin line between the page and the signature library.
class Divider : public QWidget {
public:
    explicit Divider(QWidget* parent = nullptr) : QWidget(parent) { setFixedWidth(1); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QColor line = Theme::primary(palette());
        line.setAlphaF(Theme::isDark(palette()) ? 0.16F : 0.1F);
        painter.fillRect(rect(), line);
    }
};

} // namespace

SignView::SignView(SignTool& tool, Store& store, QWidget* parent)
    : QWidget(parent), m_tool(tool), m_store(store),
      m_pickImage([&store] { return store.dialogs().openImage(); }),
      m_page(new ToolPage(tool.page()))
{
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(m_page);

    // A banner after a run must not shrink the page being signed and move what is placed on it.
    m_page->setBannerOverContent(true);
    m_trailing = makeTrailing();
    m_page->setTrailing(m_trailing);
    m_page->setContent(makeContent());

    m_note = Labels::text(tr("Sayfaya görsel imza ekler. Sertifikalı dijital imza değildir."),
                          TextStyle::caption, Tone::secondary);
    m_note->setWordWrap(true);
    m_note->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_run = new RunButton(tool.key(), tr("İmzalı kopyayı kaydet…"));
    m_page->footer()->addWidget(m_note, 1);
    m_run->addTo(*m_page->footer());

    ScreenBinding::bindRunButton(*m_run, m_tool, m_store);
    ScreenBinding::bindPage(*m_page, m_tool, m_store);
    connect(m_panel, &SignaturePanel::padRequested, this, &SignView::showPad);
    // The new placement is what the user works on next: the arrow keys nudge it at once.
    connect(m_panel, &SignaturePanel::placed, m_canvas, &SignCanvas::focusSelected);
    connect(m_canvas, &SignCanvas::placeRequested, this, [this] {
        if (const std::optional<SavedSignature> signature = m_panel->chosen()) {
            m_canvas->placeAtCursor(*signature);
        }
    });
    for (auto signal : {&SignTool::signFileChanged, &SignTool::placementsChanged}) {
        connect(&m_tool, signal, this, &SignView::refresh);
    }

    refresh();
}

QWidget* SignView::makeTrailing()
{
    auto* trailing = new QWidget;
    auto* row = new QHBoxLayout(trailing);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Metrics::rowSpacing);
    m_other = new Button(tr("Başka dosya…"));
    m_remove = new Button(QString(), Button::Kind::borderless);
    m_remove->setSymbol(QStringLiteral("xmark.circle.fill"), 15, Tone::secondary);
    tip(m_remove, tr("Dosyayı kaldır"));
    row->addWidget(m_other);
    row->addWidget(m_remove);
    connect(m_other, &QPushButton::clicked, this, [this] { m_store.open(m_tool); });
    connect(m_remove, &QPushButton::clicked, this, [this] { m_store.clear(m_tool); });
    return trailing;
}

QWidget* SignView::makeContent()
{
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_left = new QStackedWidget;
    m_dropZone = new DropZone(QStringLiteral("signature"), tr("İmzalanacak PDF'i buraya bırak"),
                              tr("İmzanı sağdan seç, sayfada istediğin yere sürükle."));
    connect(m_dropZone, &DropZone::chooseRequested, this, [this] { m_store.open(m_tool); });

    m_column = new QWidget;
    auto* column = new QVBoxLayout(m_column);
    column->setContentsMargins(16, 0, 16, 12);
    column->setSpacing(8);
    m_canvas = new SignCanvas(m_tool);
    m_pager = new SignPager(m_tool);
    column->addWidget(m_canvas, 1);
    column->addWidget(m_pager, 0, Qt::AlignHCenter);

    m_left->addWidget(m_dropZone);
    m_left->addWidget(m_column);
    row->addWidget(m_left, 1);
    row->addWidget(new Divider);
    m_panel = new SignaturePanel(m_tool);
    row->addWidget(m_panel);
    return content;
}

void SignView::refresh()
{
    const bool hasFile = m_tool.signFile().has_value();
    m_trailing->setVisible(hasFile);
    const QString removeName =
        hasFile
            ? tr("%1 dosyasını kaldır").arg(QFileInfo(m_tool.signFile()->source.path).fileName())
            : QString();
    if (hasFile && m_remove->accessibleName() != removeName) { // a rename is announced
        m_remove->setAccessibleName(removeName);
    }
    m_left->setCurrentWidget(hasFile ? m_column : static_cast<QWidget*>(m_dropZone));
    m_run->setReady(hasFile && !m_tool.placements().isEmpty());
}

void SignView::showPad()
{
    if (m_pad) {
        return;
    }
    m_pad = new SignaturePad(m_store, m_pickImage, this);
    m_pad->setAttribute(Qt::WA_DeleteOnClose);
    m_pad->open();
}
