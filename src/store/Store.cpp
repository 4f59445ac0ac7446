#include "Store.h"

#include "DocumentProbe.h"
#include "Panels.h"
#include "Thumbnails.h"

#include <QMetaObject>
#include <QSettings>

namespace {

const QString compressionLevelKey = QStringLiteral("compressionLevel");

CompressionLevel storedCompressionLevel()
{
    return ToolOptions::compressionLevelFromRawValue(
               QSettings().value(compressionLevelKey).toString())
        .value_or(CompressionLevel::balanced);
}

bool sameFiles(const QList<PDFFile>& a, const QList<PDFFile>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const PDFFile& x, const PDFFile& y) { return x.id == y.id; });
}

bool sameFile(const std::optional<PDFFile>& a, const std::optional<PDFFile>& b)
{
    return a.has_value() == b.has_value() && (!a || a->id == b->id);
}

} // namespace

Store::Store(Panels& panels, FileReveal& reveal, DataFile dataFile, BringForward bringForward,
             QObject* parent)
    : QObject(parent), m_panels(panels), m_reveal(reveal), m_dataFile(std::move(dataFile)),
      m_bringForward(std::move(bringForward)), m_thumbs(new Thumbnails(this)),
      m_probe(new DocumentProbe(this))
{
    connect(m_thumbs, &Thumbnails::ready, this, &Store::thumbnailReady);
    // An error is about what the user was doing on its page; found again after going elsewhere
    // it only misleads. Results stay: they name files the user may still want.
    connect(&AppSections::changes(), &SectionChanges::changed, this,
            [this, shown = AppSections::current()](AppSection section) mutable {
                if (section != shown) {
                    removeError(std::exchange(shown, section));
                }
            });
    m_compressionLevel = storedCompressionLevel();
    if (std::optional<AppData> loaded = m_dataFile.load()) {
        // Saved again at once, so the file on disk is in the writer's own form; should that
        // fail, nothing is lost, the file holding the same data.
        m_data = *std::move(loaded);
        m_dataFile.save(m_data);
    }
    if (!pending().isEmpty()) {
        const QStringList handed = std::exchange(pending(), {});
        QMetaObject::invokeMethod(
            this, [this, handed] { receive(handed); }, Qt::QueuedConnection);
    }
}

Store::~Store()
{
    // Quitting is the last chance for data a failed save left only in memory.
    if (!m_unsavedNote.isEmpty()) {
        m_dataFile.save(m_data);
    }
}

QStringList& Store::pending()
{
    static QStringList urls;
    return urls;
}

void Store::notify(void (Store::*signal)())
{
    (this->*signal)();
    emit changed();
}

void Store::setMergeFiles(const QList<PDFFile>& files)
{
    if (!sameFiles(files, m_mergeFiles)) {
        m_mergeFiles = files;
        notify(&Store::mergeFilesChanged);
    }
}

void Store::setSplitFile(const std::optional<PDFFile>& file)
{
    if (!sameFile(file, m_splitFile)) {
        m_splitFile = file;
        notify(&Store::splitFileChanged);
    }
}

void Store::setSplitMode(SplitMode mode)
{
    if (mode != m_splitMode) {
        m_splitMode = mode;
        notify(&Store::splitModeChanged);
    }
}

void Store::setSplitEvery(int every)
{
    if (every != m_splitEvery) {
        m_splitEvery = every;
        notify(&Store::splitEveryChanged);
    }
}

void Store::setSplitRanges(const QString& ranges)
{
    if (ranges != m_splitRanges) {
        m_splitRanges = ranges;
        notify(&Store::splitRangesChanged);
    }
}

void Store::setCompressFiles(const QList<PDFFile>& files)
{
    if (!sameFiles(files, m_compressFiles)) {
        m_compressFiles = files;
        notify(&Store::compressFilesChanged);
    }
}

void Store::setCompressResults(const QHash<QUuid, qint64>& results)
{
    if (results != m_compressResults) {
        m_compressResults = results;
        notify(&Store::compressResultsChanged);
    }
}

void Store::setCompressionLevel(CompressionLevel level)
{
    QSettings().setValue(compressionLevelKey, ToolOptions::rawValue(level));
    if (level != m_compressionLevel) {
        m_compressionLevel = level;
        notify(&Store::compressionLevelChanged);
    }
}

void Store::setSignFile(const std::optional<PDFFile>& file)
{
    if (!sameFile(file, m_signFile)) {
        m_signFile = file;
        notify(&Store::signFileChanged);
    }
}

void Store::setSignPage(int page)
{
    if (page != m_signPage) {
        m_signPage = page;
        notify(&Store::signPageChanged);
    }
}

void Store::setPlacements(const QList<Placement>& placements)
{
    if (placements != m_placements) {
        m_placements = placements;
        notify(&Store::placementsChanged);
    }
}

void Store::setSelectedPlacement(const std::optional<QUuid>& id)
{
    if (id != m_selectedPlacement) {
        m_selectedPlacement = id;
        notify(&Store::selectedPlacementChanged);
    }
}

void Store::setPagesFile(const std::optional<PDFFile>& file)
{
    if (!sameFile(file, m_pagesFile)) {
        m_pagesFile = file;
        notify(&Store::pagesFileChanged);
    }
}

void Store::setPagesSelected(const QSet<int>& pages)
{
    if (pages != m_pagesSelected) {
        m_pagesSelected = pages;
        notify(&Store::pagesSelectedChanged);
    }
}

void Store::setBusy(const std::optional<AppSection>& busy)
{
    if (busy != m_busy) {
        m_busy = busy;
        notify(&Store::busyChanged);
    }
}

std::optional<Banner> Store::banner(AppSection section) const
{
    const auto found = m_banners.constFind(section);
    return found == m_banners.constEnd() ? std::nullopt : std::optional<Banner>(*found);
}

void Store::setBanner(AppSection section, const Banner& banner)
{
    m_banners.insert(section, banner);
    notify(&Store::bannersChanged);
}

void Store::setError(AppSection section, const QString& text)
{
    setBanner(section, Banner{text, {}, Banner::Kind::error});
}

void Store::removeError(AppSection section)
{
    if (const std::optional<Banner> shown = banner(section); shown && shown->isError()) {
        removeBanner(section);
    }
}

void Store::removeBanner(AppSection section)
{
    if (m_banners.remove(section) > 0) {
        notify(&Store::bannersChanged);
    }
}
