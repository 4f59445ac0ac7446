#include "PDFEngine.h"
#include "Panels.h"
#include "PasswordBytes.h"
#include "Store.h"

#include <QFileInfo>
#include <poppler-qt6.h>

namespace {

// The path's extension as the file manager sees it: a leading dot alone (".pdf")
// names a hidden file without an extension.
bool hasPDFExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && name.mid(dot + 1).toLower() == QLatin1String("pdf");
}

// The same encodings the engine tries, so that a password the window accepts opens
// the file for every tool, and the other way round.
bool unlock(Poppler::Document& doc, const QString& password)
{
    for (const QByteArray& bytes : PasswordBytes::candidates(password)) {
        doc.unlock(bytes, bytes);
        if (!doc.isLocked()) {
            return true;
        }
    }
    return false;
}

bool containsSource(const QList<PDFFile>& files, const QString& path)
{
    return std::any_of(files.begin(), files.end(),
                       [&path](const PDFFile& file) { return file.source.url == path; });
}

} // namespace

void Store::addFiles(const QStringList& paths, AppSection section)
{
    if (m_busy) {
        return;
    }
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

    switch (section) {
    case AppSection::merge: {
        QList<PDFFile> admitted;
        for (const QString& path : kept) {
            if (std::optional<PDFFile> file = admit(path, section)) {
                admitted.append(*file);
            }
        }
        if (!admitted.isEmpty()) {
            setMergeFiles(m_mergeFiles + admitted);
        }
        break;
    }
    case AppSection::split:
        if (std::optional<PDFFile> file = admit(kept.first(), section)) {
            setSplitFile(file);
        }
        break;
    case AppSection::compress:
        for (const QString& path : kept) {
            if (containsSource(m_compressFiles, path)) {
                continue;
            }
            if (std::optional<PDFFile> file = admit(path, section)) {
                setCompressFiles(m_compressFiles + QList<PDFFile>{*file});
            }
        }
        setCompressResults({});
        break;
    case AppSection::sign:
        if (std::optional<PDFFile> file = admit(kept.first(), section)) {
            setSignFile(file);
            setSignPage(0);
            setPlacements({});
            setSelectedPlacement(std::nullopt);
        }
        break;
    case AppSection::pages:
        if (std::optional<PDFFile> file = admit(kept.first(), section)) {
            setPagesFile(file);
            setPagesSelected({});
        }
        break;
    case AppSection::history: break;
    }
}

std::optional<PDFFile> Store::admit(const QString& path, AppSection section)
{
    const QString name = QFileInfo(path).fileName();
    std::shared_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    if (!doc) {
        setError(section, tr("%1 açılamadı. Dosya bozuk ya da PDF değil.").arg(name));
        return std::nullopt;
    }
    std::optional<QString> password;
    if (doc->isLocked()) {
        password = m_panels.password(path, [&doc](const QString& candidate) {
            return unlock(*doc, candidate);
        });
        if (!password) {
            return std::nullopt;
        }
    }
    if (doc->numPages() < 1) {
        setError(section, tr("%1 içinde sayfa yok.").arg(name));
        return std::nullopt;
    }
    PDFFile file;
    file.id = QUuid::createUuid();
    file.source = PDFSource{path, password};
    file.doc = std::move(doc);
    file.pageCount = file.doc->numPages();
    file.bytes = PDFEngine::fileSize(path);
    return file;
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
