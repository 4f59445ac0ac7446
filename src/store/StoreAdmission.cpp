#include "DocumentProbe.h"
#include "PDFEngine.h"
#include "Panels.h"
#include "Store.h"

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

bool containsSource(const QList<PDFFile>& files, const QString& path)
{
    return std::any_of(files.begin(), files.end(),
                       [&path](const PDFFile& file) { return file.source.url == path; });
}

// The password that unlocked the file when it was listed before, in any tool
// or earlier in this batch, so the user is not asked for it twice.
std::optional<QString> listedPassword(const Store& store, const QList<PDFFile>& batch,
                                      const QString& path)
{
    QList<PDFFile> listed = batch + store.mergeFiles() + store.compressFiles();
    for (const std::optional<PDFFile>* single :
         {&store.splitFile(), &store.signFile(), &store.pagesFile()}) {
        if (*single) {
            listed.append(**single);
        }
    }
    for (const PDFFile& file : listed) {
        if (file.source.url == path && file.source.password) {
            return file.source.password;
        }
    }
    return std::nullopt;
}

// How many refusals of one batch are shown with their own message; the rest
// are named on one line with their count, and at most this many by name.
constexpr qsizetype detailedRejections = 3;
constexpr qsizetype namedRejections = 5;

} // namespace

void Store::addFiles(const QStringList& paths, AppSection section)
{
    if (m_busy) {
        return;
    }
    // Opening a file waits on the renderer with the event loop turning; files handed over
    // from outside meanwhile are admitted after this batch, not in the middle of it.
    if (m_admitting) {
        m_laterBatches.append({paths, section});
        return;
    }
    m_admitting = true;
    admitBatch(paths, section);
    admitLaterBatches();
}

void Store::admitLaterBatches()
{
    while (!m_laterBatches.isEmpty() && !m_busy) {
        const auto [later, laterSection] = m_laterBatches.takeFirst();
        admitBatch(later, laterSection);
    }
    m_laterBatches.clear();
    m_admitting = false;
}

void Store::admitBatch(const QStringList& paths, AppSection section)
{
    QStringList kept;
    for (const QString& path : paths) {
        if (hasPDFExtension(path)) {
            kept.append(QFileInfo(path).absoluteFilePath());
        }
    }
    if (kept.isEmpty()) {
        if (!paths.isEmpty()) {
            setError(section, tr("Yalnız PDF dosyaları eklenebilir."));
        }
        return;
    }
    removeBanner(section);

    QList<Rejection> rejections;
    // The single-input tools take the first file only.
    const auto admitFirst = [&] {
        return admit(kept.first(), listedPassword(*this, {}, kept.first()), rejections);
    };
    switch (section) {
    case AppSection::merge: {
        QList<PDFFile> admitted;
        for (const QString& path : kept) {
            const std::optional<QString> known = listedPassword(*this, admitted, path);
            if (std::optional<PDFFile> file = admit(path, known, rejections)) {
                admitted.append(*file);
            }
        }
        if (!admitted.isEmpty()) {
            setMergeFiles(m_mergeFiles + admitted);
        }
        break;
    }
    case AppSection::split:
        if (std::optional<PDFFile> file = admitFirst()) {
            setSplitFile(file);
        }
        break;
    case AppSection::compress:
        for (const QString& path : kept) {
            if (containsSource(m_compressFiles, path)) {
                continue;
            }
            const std::optional<QString> known = listedPassword(*this, {}, path);
            if (std::optional<PDFFile> file = admit(path, known, rejections)) {
                setCompressFiles(m_compressFiles + QList<PDFFile>{*file});
            }
        }
        setCompressResults({});
        break;
    case AppSection::sign:
        if (std::optional<PDFFile> file = admitFirst()) {
            setSignFile(file);
            setSignPage(0);
            setPlacements({});
            setSelectedPlacement(std::nullopt);
        }
        break;
    case AppSection::pages:
        if (std::optional<PDFFile> file = admitFirst()) {
            setPagesFile(file);
            setPagesSelected({});
        }
        break;
    case AppSection::history: break;
    }
    reportRejections(section, rejections);
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
        password = m_panels.password(path, [&](const QString& candidate) {
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
    const DocumentProbe::Counted counted = DocumentProbe::countPages(PDFSource{path, password});
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

void Store::reportRejections(AppSection section, const QList<Rejection>& rejections)
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
    setError(section, lines.join(QLatin1Char('\n')));
}

void Store::open(AppSection section)
{
    if (section == AppSection::history) {
        return;
    }
    const bool multiple = section == AppSection::merge || section == AppSection::compress;
    addFiles(m_panels.openPDFs(multiple), section);
}

void Store::receive(const QStringList& paths)
{
    AppSection section = AppSections::current();
    if (section == AppSection::history) {
        AppSections::setCurrent(AppSection::merge);
        section = AppSection::merge;
    }
    if (m_bringForward) {
        m_bringForward();
    }
    addFiles(paths, section);
}
