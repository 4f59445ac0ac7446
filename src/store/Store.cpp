#include "store/Store.h"

#include "runner/SpareWorker.h"
#include "store/Dialogs.h"
#include "store/DocumentProbe.h"
#include "store/Thumbnails.h"
#include "store/ToolModel.h"

#include <QMetaObject>

Store::Store(Dialogs& dialogs, FileReveal& reveal, DataFile dataFile, BringForward bringForward,
             QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_reveal(reveal), m_dataFile(std::move(dataFile)),
      m_bringForward(std::move(bringForward)), m_thumbs(new Thumbnails(this)),
      m_spare(new SpareWorker(this)), m_probe(new DocumentProbe(m_spare, this))
{
    connect(m_thumbs, &Thumbnails::ready, this, &Store::thumbnailReady);
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

ToolModel* Store::tool(const QString& key) const
{
    for (ToolModel* each : m_tools) {
        if (each->key() == key) {
            return each;
        }
    }
    return nullptr;
}

void Store::adopt(ToolModel& tool)
{
    m_tools.append(&tool);
    connect(&tool, &ToolModel::changed, this, &Store::changed);
    // Told before the Store's own end, when its connections are already gone.
    connect(&tool, &QObject::destroyed, this, [this](QObject* gone) {
        m_tools.removeIf([gone](const ToolModel* each) { return each == gone; });
    });
}

// An error is about what the user was doing on its page; found again after going elsewhere it
// only misleads. Results stay: they name files the user may still want.
void Store::setShownPage(const QString& page)
{
    if (page != m_shownPage) {
        removeError(std::exchange(m_shownPage, page));
    }
}

void Store::clear(ToolModel& tool)
{
    removeBanner(tool.key());
    tool.clear();
}

void Store::setBusy(const std::optional<QString>& busy)
{
    if (busy != m_busy) {
        m_busy = busy;
        notify(&Store::busyChanged);
    }
}

std::optional<Banner> Store::banner(const QString& page) const
{
    const auto found = m_banners.constFind(page);
    return found == m_banners.constEnd() ? std::nullopt : std::optional<Banner>(*found);
}

void Store::setBanner(const QString& page, const Banner& banner)
{
    m_banners.insert(page, banner);
    notify(&Store::bannersChanged);
}

void Store::setError(const QString& page, const QString& text)
{
    setBanner(page, Banner{text, {}, Banner::Kind::error});
}

void Store::removeError(const QString& page)
{
    if (const std::optional<Banner> shown = banner(page); shown && shown->isError()) {
        removeBanner(page);
    }
}

void Store::removeBanner(const QString& page)
{
    if (m_banners.remove(page) > 0) {
        notify(&Store::bannersChanged);
    }
}
