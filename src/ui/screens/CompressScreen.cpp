#include "ui/screens/CompressScreen.h"

#include "store/Store.h"
#include "tools/compress/CompressTool.h"
#include "ui/kit/Button.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/FileList.h"
#include "ui/kit/FileRow.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RunButton.h"
#include "ui/kit/SegmentedControl.h"
#include "ui/screens/ScreenBinding.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

QString levelTitle(CompressionLevel level)
{
    switch (level) {
    case CompressionLevel::light: return CompressScreen::tr("Hafif");
    case CompressionLevel::balanced: return CompressScreen::tr("Dengeli");
    case CompressionLevel::strong: return CompressScreen::tr("Güçlü");
    }
    return {};
}

QString levelDescription(CompressionLevel level)
{
    switch (level) {
    case CompressionLevel::light:
        return CompressScreen::tr("Baskı için uygun. Görseller neredeyse aynı kalır.");
    case CompressionLevel::balanced:
        return CompressScreen::tr("Ekranda okumak ve e-postayla göndermek için.");
    case CompressionLevel::strong:
        return CompressScreen::tr("En küçük dosya. Görsellerde bozulma fark edilir.");
    }
    return {};
}

int levelIndex(CompressionLevel level)
{
    const auto& levels = ToolOptions::compressionLevels;
    return static_cast<int>(std::find(levels.begin(), levels.end(), level) - levels.begin());
}

} // namespace

CompressScreen::CompressScreen(CompressTool& tool, Store& store, QWidget* parent)
    : ToolPage(tool.page(), parent), m_tool(tool), m_store(store),
      m_display(ScreenBinding::fileDisplay(store)),
      m_parts(tool,
              {tr("PDF ekle"), QStringLiteral("arrow.down.right.and.arrow.up.left"),
               tr("Küçültülecek PDF'leri buraya bırak"),
               tr("Görseller küçültülür, metin ve çizimler olduğu gibi kalır. Asıl "
                  "dosya değişmez."),
               tr("Temizle"), tr("Sıkıştır…")},
              false),
      m_levels(new SegmentedControl({levelTitle(CompressionLevel::light),
                                     levelTitle(CompressionLevel::balanced),
                                     levelTitle(CompressionLevel::strong)})),
      m_levelText(Labels::text(QString(), TextStyle::callout, Tone::secondary))
{
    auto* filled = new QWidget;
    auto* column = new QVBoxLayout(filled);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_parts.list, 1);
    column->addWidget(makeLevelRow());
    m_parts.install(*this, store, filled);
    m_parts.list->setAccessibleName(tr("Sıkıştırılacak dosyalar"));

    connect(m_levels, &SegmentedControl::activated, this, [this](int index) {
        m_tool.setCompressionLevel(
            ToolOptions::compressionLevels.at(static_cast<std::size_t>(index)));
    });
    connect(&m_tool, &CompressTool::compressFilesChanged, this, &CompressScreen::showFiles);
    connect(&m_tool, &CompressTool::compressResultsChanged, this, &CompressScreen::showResults);
    connect(&m_tool, &CompressTool::compressionLevelChanged, this, &CompressScreen::showLevel);

    ScreenBinding::bindPage(*this, m_tool, store);
    ScreenBinding::reloadThumbsWhenReady(*this, store);
    showFiles();
    showLevel();
}

QWidget* CompressScreen::makeLevelRow()
{
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(Metrics::pageSide, 12, Metrics::pageSide, 16);
    row->setSpacing(12);
    auto* label = Labels::overline(tr("Düzey"));
    label->setBuddy(m_levels); // names the choices for a screen reader
    row->addWidget(label);
    row->addWidget(m_levels);
    m_levelText->setObjectName(QStringLiteral("levelText"));
    row->addWidget(m_levelText, 1);
    return bar;
}

std::optional<QString> CompressScreen::statusText(std::optional<qint64> result,
                                                  const FileDisplay& display)
{
    if (!result) {
        return std::nullopt;
    }
    if (*result < 1) {
        return tr("Küçülmedi");
    }
    return tr("→ %1").arg(display.formatSize(*result));
}

FileRow* CompressScreen::row(int index) const
{
    return qobject_cast<FileRow*>(m_parts.list->row(index));
}

void CompressScreen::showFiles()
{
    const QList<PDFFile>& files = m_tool.compressFiles();
    m_parts.showFiles(files, m_display, m_store, tr("Dosya: %1 · %2"),
                      [this](const QUuid& id) { remove(id); });
    showResults();
    m_parts.run->setReady(!files.isEmpty());
}

void CompressScreen::showResults()
{
    const QHash<QUuid, qint64>& results = m_tool.compressResults();
    for (int index = 0; index < m_parts.list->count(); ++index) {
        FileRow* fileRow = row(index);
        const auto found = results.constFind(fileRow->file().id);
        const std::optional<qint64> result =
            found == results.constEnd() ? std::nullopt : std::optional<qint64>(*found);
        const bool smaller = result && *result >= 1;
        fileRow->setStatus(statusText(result, m_display),
                           smaller ? DS::up(palette()) : Theme::secondary(palette()));
    }
}

void CompressScreen::showLevel()
{
    const CompressionLevel level = m_tool.compressionLevel();
    m_levels->setCurrentIndex(levelIndex(level));
    m_levelText->setText(levelDescription(level));
}

void CompressScreen::changeEvent(QEvent* event)
{
    ToolPage::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        showResults(); // the badges' tints follow the appearance
    }
}

void CompressScreen::remove(const QUuid& id)
{
    QList<PDFFile> files = m_tool.compressFiles();
    files.removeIf([&id](const PDFFile& file) { return file.id == id; });
    m_tool.setCompressFiles(files);
}
