#include "ui/screens/MergeScreen.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "store/Store.h"
#include "tools/merge/MergeTool.h"
#include "ui/kit/Button.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/FileList.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RunButton.h"
#include "ui/screens/MergeRow.h"
#include "ui/screens/ScreenBinding.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QStackedWidget>

MergeScreen::MergeScreen(MergeTool& tool, Store& store, QWidget* parent)
    : ToolPage(tool.page(), parent), m_tool(tool), m_store(store),
      m_display(ScreenBinding::fileDisplay(store)),
      m_parts(tool,
              {tr("PDF ekle"), QStringLiteral("arrow.triangle.merge"), tr("PDF'leri buraya bırak"),
               tr("İki ya da daha çok dosya ekle. Sırayı sonra sürükleyerek "
                  "değiştirebilirsin."),
               tr("Temizle"), tr("Birleştir…")},
              true)
{
    m_parts.install(*this, store, m_parts.list);
    m_parts.list->setAccessibleName(tr("Birleştirilecek dosyalar"));
    connect(m_parts.list, &FileList::moved, this, &MergeScreen::move);
    connect(&m_tool, &MergeTool::mergeFilesChanged, this, &MergeScreen::showFiles);
    connect(&m_tool, &MergeTool::mergeRangesChanged, this, &MergeScreen::showPages);
    connect(&store, &Store::busyChanged, this, &MergeScreen::showPages);

    ScreenBinding::bindPage(*this, m_tool, store);
    ScreenBinding::reloadThumbsWhenReady(*this, store);
    showFiles();
}

void MergeScreen::showFiles()
{
    const QList<PDFFile>& files = m_tool.mergeFiles();
    QList<QWidget*> rows;
    for (int index = 0; index < files.size(); ++index) {
        auto* row = new MergeRow(files.at(index), index + 1, m_display);
        const QUuid id = files.at(index).id;
        connect(row, &FileRow::removeRequested, this, [this, id] { remove(id); });
        connect(row, &MergeRow::rangeEdited, this,
                [this, id](const QString& ranges) { m_tool.setMergeRange(id, ranges); });
        rows << row;
    }
    m_parts.list->setRows(rows);
    m_parts.stack->setCurrentWidget(files.isEmpty() ? static_cast<QWidget*>(m_parts.drop)
                                                    : m_parts.list);
    m_parts.add->setVisible(!files.isEmpty());
    m_parts.allowEditing(m_store);
    showPages();
}

void MergeScreen::showPages()
{
    const QList<PDFFile>& files = m_tool.mergeFiles();
    bool readable = true;
    for (int index = 0; index < m_parts.list->count(); ++index) {
        if (auto* row = qobject_cast<MergeRow*>(m_parts.list->row(index))) {
            const MergePages pages = m_tool.mergePages(row->file());
            row->showPages(m_tool.mergeRange(row->file().id), pages);
            // The pages a run takes stay as they were while it works, as its files do.
            row->rangeField()->setEnabled(m_store.busy() != m_tool.key());
            readable = readable && pages.error.isEmpty();
        }
    }
    m_parts.run->setReady(files.size() >= 2 && readable);
    showSummary();
}

void MergeScreen::showSummary()
{
    const QList<PDFFile>& files = m_tool.mergeFiles();
    if (files.size() < 2) {
        m_parts.summary->setText(files.isEmpty() ? QString()
                                                 : tr("Birleştirmek için en az iki PDF ekle."));
        return;
    }
    qint64 pages = 0;
    qint64 bytes = 0;
    for (const PDFFile& file : files) {
        pages += m_tool.mergePages(file).count;
        bytes += file.bytes;
    }
    const QLocale locale = AppLanguages::locale();
    m_parts.summary->setText(tr("Dosya: %1 · Sayfa: %2 · %3")
                                 .arg(Formatting::count(files.size(), locale),
                                      Formatting::count(pages, locale),
                                      m_display.formatSize(bytes)));
}

void MergeScreen::move(int from, int to)
{
    QList<PDFFile> files = m_tool.mergeFiles();
    if (from < 0 || from >= files.size() || to < 0 || to >= files.size()) {
        return;
    }
    files.move(from, to);
    m_tool.setMergeFiles(files);
}

void MergeScreen::remove(const QUuid& id)
{
    QList<PDFFile> files = m_tool.mergeFiles();
    files.removeIf([&id](const PDFFile& file) { return file.id == id; });
    m_tool.setMergeFiles(files);
}
