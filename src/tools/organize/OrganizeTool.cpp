#include "tools/organize/OrganizeTool.h"

#include "store/Dialogs.h"
#include "store/Store.h"
#include "store/ToolRun.h"
#include "tools/PDFFileList.h"

#include <QCoreApplication>
#include <QScopedValueRollback>
#include <algorithm>

namespace {

// Every page of a document in order, as it was opened.
QList<PDFEngine::OrganizedPage> pagesOf(int source, const PDFFile& file)
{
    QList<PDFEngine::OrganizedPage> pages;
    for (int page = 0; page < file.pageCount; ++page) {
        pages.append({source, page, 0});
    }
    return pages;
}

QSet<int> range(int from, int count)
{
    QSet<int> positions;
    for (int each = from; each < from + count; ++each) {
        positions.insert(each);
    }
    return positions;
}

} // namespace

OrganizeTool::OrganizeTool(Store& store) : ToolModel(store) {}

QString OrganizeTool::title() const
{
    return QCoreApplication::translate("SectionText", "Düzenle");
}

QString OrganizeTool::subtitle() const
{
    return QCoreApplication::translate(
        "SectionText", "Sayfaları döndür, sırala, çıkar, başka PDF'ten sayfa ekle.");
}

QString OrganizeTool::feature() const
{
    return QCoreApplication::translate("AboutView", "Sayfaları döndür, sırala, çıkar, ekle");
}

QString OrganizeTool::symbol() const
{
    return QStringLiteral("square.grid.2x2");
}

QList<PDFFile> OrganizeTool::inputs() const
{
    return m_organizeFiles;
}

void OrganizeTool::setOrganizeSelected(const QSet<int>& positions)
{
    QSet<int> kept;
    for (int position : positions) {
        if (position >= 0 && position < m_arrangement.size()) {
            kept.insert(position);
        }
    }
    if (kept != m_organizeSelected) {
        m_organizeSelected = kept;
        notify(&OrganizeTool::organizeSelectedChanged);
    }
}

OrganizeTool::Step OrganizeTool::current() const
{
    return {m_organizeFiles, m_arrangement, m_organizeSelected};
}

void OrganizeTool::show(const Step& step)
{
    const bool filesChanged = !PDFFiles::same(step.files, m_organizeFiles);
    m_organizeFiles = step.files;
    if (filesChanged) {
        notify(&OrganizeTool::organizeFilesChanged);
    }
    if (step.arrangement != m_arrangement) {
        m_arrangement = step.arrangement;
        notify(&OrganizeTool::arrangementChanged);
    }
    setOrganizeSelected(step.selected);
}

void OrganizeTool::edit(const Step& next)
{
    if (next.arrangement == m_arrangement && next.files.size() == m_organizeFiles.size()) {
        setOrganizeSelected(next.selected);
        return;
    }
    m_undo.append(current());
    m_redo.clear();
    show(next);
}

QList<int> OrganizeTool::selectedInOrder() const
{
    QList<int> positions(m_organizeSelected.begin(), m_organizeSelected.end());
    std::sort(positions.begin(), positions.end());
    return positions;
}

void OrganizeTool::rotateSelected(int quarterTurns)
{
    Step next = current();
    for (int position : m_organizeSelected) {
        int& turns = next.arrangement[position].quarterTurns;
        turns = ((turns + quarterTurns) % 4 + 4) % 4;
    }
    edit(next);
}

OrganizeTool::Step OrganizeTool::moved(QList<int> positions, int at) const
{
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    QList<PDFEngine::OrganizedPage> taken;
    QList<PDFEngine::OrganizedPage> rest;
    for (int position = 0; position < m_arrangement.size(); ++position) {
        (std::binary_search(positions.begin(), positions.end(), position) ? taken : rest)
            .append(m_arrangement[position]);
    }
    at = std::clamp(at, 0, static_cast<int>(rest.size()));
    Step next{m_organizeFiles, rest, range(at, static_cast<int>(taken.size()))};
    for (int each = 0; each < taken.size(); ++each) {
        next.arrangement.insert(at + each, taken[each]);
    }
    return next;
}

void OrganizeTool::move(const QList<int>& positions, int before)
{
    QList<int> valid;
    for (int position : positions) {
        if (position >= 0 && position < m_arrangement.size()) {
            valid.append(position);
        }
    }
    if (valid.isEmpty()) {
        return;
    }
    // `before` counts the moved pages too; among the pages that stay it stands earlier by as
    // many of them as lie before it.
    const auto earlier =
        std::count_if(valid.begin(), valid.end(), [&](int position) { return position < before; });
    edit(moved(valid, before - static_cast<int>(earlier)));
}

void OrganizeTool::moveSelected(int step)
{
    const QList<int> positions = selectedInOrder();
    if (positions.isEmpty()) {
        return;
    }
    // A scattered selection gathers where its first page stands, then moves as one block.
    edit(moved(positions, positions.first() + step));
}

bool OrganizeTool::deleteSelected()
{
    if (m_organizeSelected.isEmpty()) {
        return false;
    }
    if (m_organizeSelected.size() >= m_arrangement.size()) {
        store().setError(key(),
                         QCoreApplication::translate("PDFEngine", "En az bir sayfa kalmalı."));
        return false;
    }
    Step next{m_organizeFiles, {}, {}};
    for (int position = 0; position < m_arrangement.size(); ++position) {
        if (!m_organizeSelected.contains(position)) {
            next.arrangement.append(m_arrangement[position]);
        }
    }
    edit(next);
    return true;
}

void OrganizeTool::duplicateSelected()
{
    if (m_organizeSelected.isEmpty()) {
        return;
    }
    // Each copy follows its page; the copies are selected.
    Step next{m_organizeFiles, {}, {}};
    for (int position = 0; position < m_arrangement.size(); ++position) {
        next.arrangement.append(m_arrangement[position]);
        if (m_organizeSelected.contains(position)) {
            next.selected.insert(static_cast<int>(next.arrangement.size()));
            next.arrangement.append(m_arrangement[position]);
        }
    }
    edit(next);
}

void OrganizeTool::insertAt(int at, const QStringList& paths)
{
    // Only for this admission: one refused or cancelled must not move the next drop's pages.
    m_insertAt = at;
    if (paths.isEmpty()) {
        store().open(*this);
    } else {
        store().addFiles(paths, *this);
    }
    m_insertAt.reset();
}

void OrganizeTool::undo()
{
    if (!m_undo.isEmpty()) {
        m_redo.append(current());
        show(m_undo.takeLast());
    }
}

void OrganizeTool::redo()
{
    if (!m_redo.isEmpty()) {
        m_undo.append(current());
        show(m_redo.takeLast());
    }
}

void OrganizeTool::reset()
{
    if (!m_organizeFiles.isEmpty()) {
        const PDFFile document = m_organizeFiles.first();
        edit({{document}, pagesOf(0, document), {}});
    }
}

bool OrganizeTool::edited() const
{
    return !m_organizeFiles.isEmpty() && m_arrangement != pagesOf(0, m_organizeFiles.first());
}

int OrganizeTool::sourceOf(const PDFFile& file, QList<PDFFile>& files) const
{
    // The engine reads every source from its path, so a file taken again is the same source.
    for (int index = 0; index < files.size(); ++index) {
        if (files[index].source.path == file.source.path) {
            return index;
        }
    }
    files.append(file);
    return static_cast<int>(files.size() - 1);
}

void OrganizeTool::take(const QStringList& paths, const Admit& admit)
{
    const std::optional<int> insertAt = std::exchange(m_insertAt, std::nullopt);
    QStringList inserting = paths;
    if (m_organizeFiles.isEmpty()) {
        if (std::optional<PDFFile> file = admit(inserting.takeFirst())) {
            m_undo.clear();
            m_redo.clear();
            show({{*file}, pagesOf(0, *file), {}});
        }
        // The rest of the batch joins the document opened first, as a step of its own.
        if (m_organizeFiles.isEmpty() || inserting.isEmpty()) {
            return;
        }
    }
    Step next = current();
    QList<PDFEngine::OrganizedPage> taken;
    for (const QString& path : inserting) {
        if (std::optional<PDFFile> file = admit(path)) {
            const int source = sourceOf(*file, next.files);
            taken += pagesOf(source, next.files[source]);
        }
    }
    if (taken.isEmpty()) {
        return;
    }
    const int at = std::clamp(insertAt.value_or(static_cast<int>(m_arrangement.size())), 0,
                              static_cast<int>(m_arrangement.size()));
    for (int each = 0; each < taken.size(); ++each) {
        next.arrangement.insert(at + each, taken[each]);
    }
    next.selected = range(at, static_cast<int>(taken.size()));
    edit(next);
}

void OrganizeTool::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_insertAt.reset();
    show({});
}

void OrganizeTool::extractSelected()
{
    if (m_organizeSelected.isEmpty()) {
        return;
    }
    const QScopedValueRollback extracting(m_extracting, true);
    store().run(*this);
}

std::optional<PreparedRun> OrganizeTool::prepare()
{
    if (m_organizeFiles.isEmpty()) {
        return std::nullopt;
    }
    QList<PDFEngine::OrganizedPage> pages = m_arrangement;
    if (m_extracting) {
        pages.clear();
        for (int position : selectedInOrder()) {
            pages.append(m_arrangement[position]);
        }
    }
    if (pages.isEmpty()) {
        return std::nullopt;
    }
    // Only the files whose pages are written are opened and named in the history.
    QList<PDFFile> used;
    for (PDFEngine::OrganizedPage& page : pages) {
        page.source = sourceOf(m_organizeFiles[page.source], used);
    }
    const PDFFile& document = m_organizeFiles.first();
    const QString word = m_extracting ? QCoreApplication::translate("Store", "seçilen sayfalar")
                                      : QCoreApplication::translate("Store", "düzenlendi");
    const std::optional<QString> destination =
        store().dialogs().save(ToolRun::suggestedName(document, word),
                               ToolRun::startFolder(key(), {document}));
    if (!destination) {
        return std::nullopt;
    }
    return PreparedRun{PDFEngine::OrganizeJob{ToolRun::sourcesOf(used), pages, *destination}, used};
}
