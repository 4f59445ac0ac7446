#include "engine/include/PDFEngine.h"
#include "store/Dialogs.h"
#include "store/DocumentProbe.h"
#include "store/Store.h"
#include "store/ToolModel.h"

#include <QFileInfo>

namespace {

// The path's extension as the file manager sees it: a leading dot alone (".pdf")
// names a hidden file without an extension.
bool hasPDFExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && name.mid(dot + 1).toLower() == QLatin1String("pdf");
}

// How many refusals of one batch are shown with their own message; the rest
// are named on one line with their count, and at most this many by name.
constexpr qsizetype detailedRejections = 3;
constexpr qsizetype namedRejections = 5;

} // namespace

void Store::addFiles(const QStringList& paths, ToolModel& tool)
{
    if (m_busy) {
        return;
    }
    // Opening a file waits on the renderer with the event loop turning; files handed over
    // from outside meanwhile are admitted after this batch, not in the middle of it.
    if (m_admitting) {
        m_laterBatches.append({paths, &tool});
        return;
    }
    m_admitting = true;
    admitBatch(paths, tool);
    admitLaterBatches();
}

void Store::admitLaterBatches()
{
    while (!m_laterBatches.isEmpty() && !m_busy) {
        const auto [later, laterTool] = m_laterBatches.takeFirst();
        if (laterTool) {
            admitBatch(later, *laterTool);
        }
    }
    m_laterBatches.clear();
    m_admitting = false;
}

void Store::admitBatch(const QStringList& paths, ToolModel& tool)
{
    QStringList kept;
    for (const QString& path : paths) {
        if (hasPDFExtension(path)) {
            kept.append(QFileInfo(path).absoluteFilePath());
        }
    }
    if (kept.isEmpty()) {
        if (!paths.isEmpty()) {
            setError(tool.key(), tr("Yalnız PDF dosyaları eklenebilir."));
        }
        return;
    }
    removeBanner(tool.key());

    QList<Rejection> rejections;
    QList<PDFFile> batch;
    tool.take(kept, [&](const QString& path) {
        std::optional<PDFFile> file = admit(path, listedPassword(batch, path), rejections);
        if (file) {
            batch.append(*file);
        }
        return file;
    });
    reportRejections(tool.key(), rejections);
}

std::optional<QString> Store::listedPassword(const QList<PDFFile>& batch, const QString& path) const
{
    QList<PDFFile> listed = batch;
    for (const ToolModel* each : m_tools) {
        listed += each->inputs();
    }
    for (const PDFFile& file : listed) {
        if (file.source.path == path && file.source.password) {
            return file.source.password;
        }
    }
    return std::nullopt;
}

std::optional<PDFFile> Store::admit(const QString& path,
                                    const std::optional<QString>& knownPassword,
                                    QList<Rejection>& rejections)
{
    const QString name = QFileInfo(path).fileName();
    // A reason given (a helper program is missing) is told as it is; without one, the file is at
    // fault.
    const auto refuse = [&](const QString& reason) {
        rejections.append({name, reason.isEmpty()
                                     ? tr("%1 açılamadı. Dosya bozuk ya da PDF değil.").arg(name)
                                     : reason});
        return std::nullopt;
    };
    // Poppler reads the file in the renderer process: one that hangs or crashes it is refused
    // when its time runs out, and the window never holds the document.
    setProbing(true);
    DocumentProbe::Opened opened = m_probe->open(path, knownPassword);
    setProbing(false);
    if (opened.state == DocumentProbe::State::empty) {
        rejections.append({name, tr("%1 boş bir dosya.").arg(name)});
        return std::nullopt;
    }
    if (opened.state == DocumentProbe::State::broken) {
        return refuse(opened.failure);
    }
    std::optional<QString> password;
    if (opened.state == DocumentProbe::State::locked) {
        // A candidate the renderer cannot answer for ends the prompt; the file is refused.
        password = m_dialogs.password(path, [&](const QString& candidate) {
            setProbing(true);
            opened = m_probe->open(path, candidate);
            setProbing(false);
            return opened.state != DocumentProbe::State::locked;
        });
        if (!password) {
            return std::nullopt;
        }
        if (opened.state == DocumentProbe::State::broken) {
            return refuse(opened.failure);
        }
    } else if (opened.needsPassword) {
        password = knownPassword;
    }
    // The viewer forgives damage (a looping page tree, say) that the engine
    // refuses; a file is listed only when the runs will be able to read it.
    setProbing(true);
    const DocumentProbe::Counted counted = m_probe->countPages(PDFSource{path, password});
    setProbing(false);
    if (!counted.pages) {
        return refuse(counted.failure);
    }
    if (*counted.pages < 1 || opened.pageSizes.isEmpty()) {
        rejections.append({name, tr("%1 içinde sayfa yok.").arg(name)});
        return std::nullopt;
    }
    PDFFile file;
    file.id = QUuid::createUuid();
    file.source = PDFSource{path, password};
    file.pageSizes = opened.pageSizes;
    file.pageCount = *counted.pages;
    file.bytes = PDFEngine::fileSize(path);
    return file;
}

void Store::setProbing(bool probing)
{
    if (probing != m_probing) {
        m_probing = probing;
        emit probingChanged();
    }
}

void Store::reportRejections(const QString& page, const QList<Rejection>& rejections)
{
    if (rejections.isEmpty()) {
        return;
    }
    QStringList lines;
    for (const Rejection& rejection : rejections.mid(0, detailedRejections)) {
        // A reason that is not the file's own (a helper program missing) is the same for each.
        if (!lines.contains(rejection.message)) {
            lines.append(rejection.message);
        }
    }
    const QList<Rejection> rest = rejections.mid(detailedRejections);
    if (!rest.isEmpty()) {
        QStringList names;
        for (const Rejection& rejection : rest.mid(0, namedRejections)) {
            names.append(rejection.name);
        }
        if (rest.size() > namedRejections) {
            names.append(QStringLiteral("…"));
        }
        lines.append(tr("Eklenemeyen %n dosya daha: %1", nullptr, static_cast<int>(rest.size()))
                         .arg(names.join(QStringLiteral(", "))));
    }
    setError(page, lines.join(QLatin1Char('\n')));
}

void Store::open(ToolModel& tool)
{
    addFiles(m_dialogs.openPDFs(tool.takesMany()), tool);
}

void Store::receive(const QStringList& paths)
{
    if (m_tools.isEmpty()) {
        return;
    }
    ToolModel* target = tool(m_shownPage);
    if (!target) {
        target = m_tools.first();
        emit pageWanted(target->key());
    }
    if (m_bringForward) {
        m_bringForward();
    }
    addFiles(paths, *target);
}
