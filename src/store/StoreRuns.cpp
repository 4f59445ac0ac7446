#include "AppLanguage.h"
#include "ContainedRun.h"
#include "FittedName.h"
#include "Formatting.h"
#include "PDFEngine.h"
#include "Panels.h"
#include "Preferences.h"
#include "Store.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <algorithm>

// A tool's run, top to bottom: its job is built (asking where the output goes),
// run by the engine in a worker process, and the outcome applied on the main thread.

namespace {

// A job ready to run, and the inputs its history record names.
struct PreparedRun {
    PDFEngine::Job job;
    QList<PDFFile> inputs;
};

qint64 totalSize(const QStringList& paths)
{
    qint64 total = 0;
    for (const QString& path : paths) {
        total += PDFEngine::fileSize(path);
    }
    return total;
}

// The name of an output made from input: its stem, a blank and the tool's word,
// short enough that a number can still follow when the name is taken.
QString suggestedName(const PDFFile& input, const QString& word)
{
    constexpr int numberRoom = 6; // " 99999"
    return fittedName(QFileInfo(input.source.url).completeBaseName(), QLatin1Char(' ') + word,
                      numberRoom);
}

// Where the panel asking for the output's place starts: beside the input of a tool that has one,
// else where this tool last saved, else beside its first input.
QString startFolder(AppSection section, const QList<PDFFile>& inputs)
{
    QString beside = QFileInfo(inputs.first().source.url).absolutePath();
    if (inputs.size() == 1) {
        return beside;
    }
    const QString last = Preferences::saveFolder(AppSections::rawValue(section));
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : beside;
}

QList<PDFSource> sourcesOf(const QList<PDFFile>& files)
{
    QList<PDFSource> sources;
    for (const PDFFile& file : files) {
        sources.append(file.source);
    }
    return sources;
}

} // namespace

// Each tool's job, built from the Store's fields: none when there is nothing to
// run or the panel asking where the output goes was cancelled.
struct ToolJobs {
    using Builder = std::optional<PreparedRun> (*)(Store&);

    static Builder builder(AppSection section)
    {
        static const QMap<AppSection, Builder> builders{
            {AppSection::merge, &merge},       {AppSection::split, &split},
            {AppSection::compress, &compress}, {AppSection::sign, &sign},
            {AppSection::pages, &pages},
        };
        return builders.value(section);
    }

    static PDFEngine::SplitRule splitRule(const Store& store)
    {
        return PDFEngine::SplitRule{store.m_splitMode, store.m_splitEvery, store.m_splitRanges};
    }

    static std::optional<PreparedRun> merge(Store& store)
    {
        const QList<PDFFile>& files = store.m_mergeFiles;
        if (files.size() < 2) {
            return std::nullopt;
        }
        const std::optional<QString> destination =
            store.m_panels.save(suggestedName(files.first(), Store::tr("birleşik")),
                                startFolder(AppSection::merge, files));
        if (!destination) {
            return std::nullopt;
        }
        return PreparedRun{PDFEngine::MergeJob{sourcesOf(files), *destination}, files};
    }

    static std::optional<PreparedRun> split(Store& store)
    {
        if (!store.m_splitFile) {
            return std::nullopt;
        }
        const SplitPlan plan = store.splitGroups();
        if (!plan.error.isEmpty()) {
            store.setError(AppSection::split, plan.error);
            return std::nullopt;
        }
        if (plan.groups.isEmpty()) {
            return std::nullopt;
        }
        const PDFFile& file = *store.m_splitFile;
        const std::optional<QString> folder =
            store.m_panels.folder(startFolder(AppSection::split, {file}));
        if (!folder) {
            return std::nullopt;
        }
        return PreparedRun{PDFEngine::SplitJob{file.source, splitRule(store), *folder, true},
                           {file}};
    }

    static std::optional<PreparedRun> compress(Store& store)
    {
        const QList<PDFFile>& files = store.m_compressFiles;
        if (files.isEmpty()) {
            return std::nullopt;
        }
        const QString word = Store::tr("sıkıştırılmış");
        PDFEngine::CompressJob job{sourcesOf(files), store.m_compressionLevel, {}, {}, {}};
        if (files.size() == 1) {
            const std::optional<QString> destination =
                store.m_panels.save(suggestedName(files.first(), word),
                                    startFolder(AppSection::compress, files));
            if (!destination) {
                return std::nullopt;
            }
            job.destination = *destination;
        } else {
            const std::optional<QString> folder =
                store.m_panels.folder(startFolder(AppSection::compress, files));
            if (!folder) {
                return std::nullopt;
            }
            job.folder = *folder;
            job.createFolder = true;
        }
        for (const PDFFile& input : files) {
            job.baseNames.append(suggestedName(input, word));
        }
        return PreparedRun{job, files};
    }

    static std::optional<PreparedRun> pages(Store& store)
    {
        const std::optional<PDFFile>& file = store.m_pagesFile;
        if (!file || store.m_pagesSelected.isEmpty() ||
            store.m_pagesSelected.size() >= file->pageCount) {
            return std::nullopt;
        }
        const std::optional<QString> destination =
            store.m_panels.save(suggestedName(*file, Store::tr("düzenlenmiş")),
                                startFolder(AppSection::pages, {*file}));
        if (!destination) {
            return std::nullopt;
        }
        return PreparedRun{PDFEngine::DeletePagesJob{file->source, store.m_pagesSelected,
                                                     std::nullopt, *destination},
                           {*file}};
    }

    static std::optional<PreparedRun> sign(Store& store)
    {
        const std::optional<PDFFile>& file = store.m_signFile;
        if (!file) {
            return std::nullopt;
        }
        QList<PDFEngine::SignItem> items = signItems(store);
        if (items.isEmpty()) {
            return std::nullopt;
        }
        const std::optional<QString> destination =
            store.m_panels.save(suggestedName(*file, Store::tr("imzalı")),
                                startFolder(AppSection::sign, {*file}));
        if (!destination) {
            return std::nullopt;
        }
        return PreparedRun{PDFEngine::SignJob{file->source, std::move(items), *destination},
                           {*file}};
    }

    static QList<PDFEngine::SignItem> signItems(const Store& store)
    {
        const QList<SavedSignature>& signatures = store.m_data.signatures;
        QList<PDFEngine::SignItem> items;
        for (const Placement& placement : store.m_placements) {
            const auto signature = std::find_if(signatures.cbegin(), signatures.cend(),
                                                [&placement](const SavedSignature& s) {
                                                    return s.id == placement.signatureID;
                                                });
            if (signature == signatures.cend()) {
                continue; // deleted from the library
            }
            // An image signature whose file is gone has nothing to stamp.
            if (std::optional<SignatureArt> art = store.m_library.art(*signature)) {
                items.append(PDFEngine::SignItem{placement.page, placement.rect, std::move(*art)});
            }
        }
        return items;
    }
};

SplitPlan Store::splitGroups() const
{
    if (!m_splitFile) {
        return {};
    }
    return PDFEngine::splitPlan(ToolJobs::splitRule(*this), m_splitFile->pageCount);
}

void Store::run(AppSection section)
{
    const ToolJobs::Builder build = ToolJobs::builder(section);
    if (m_busy || m_admitting || !build) {
        return;
    }
    // Files handed over while a panel asks where the output goes wait for its answer, as they do
    // during an admission: the job is the one the user started, on the inputs shown then.
    m_admitting = true;
    const auto admitLater = qScopeGuard([this] { admitLaterBatches(); });
    std::optional<PreparedRun> prepared = build(*this);
    if (!prepared) {
        return;
    }
    setBusy(section);
    removeBanner(section);
    if (section == AppSection::compress) {
        setCompressResults({});
    }
    setRunProgress({});
    // The run is a child of the Store: if the Store goes first, the worker is
    // killed with it and nothing reaches a destroyed object.
    auto* run = new ContainedRun(this);
    m_run = run;
    const auto ended = [this, run] {
        run->deleteLater();
        setRunProgress({});
        setBusy(std::nullopt);
    };
    connect(run, &ContainedRun::progress, this, [this](qint64 done, qint64 total) {
        setRunProgress({done, total});
    });
    connect(run, &ContainedRun::finished, this,
            [this, ended, section, inputs = prepared->inputs](const PDFEngine::Outcome& outcome) {
                apply(section, inputs, outcome);
                ended();
            });
    connect(run, &ContainedRun::cancelled, this, ended);
    run->start(prepared->job, m_runLimits.value_or(RunLimits::forJob(prepared->job)));
}

void Store::cancelRun()
{
    if (m_run) {
        m_run->cancel();
    }
}

void Store::setRunProgress(const RunProgress& progress)
{
    if (progress != m_runProgress) {
        m_runProgress = progress;
        emit runProgressChanged();
    }
}

void Store::apply(AppSection section, const QList<PDFFile>& inputs,
                  const PDFEngine::Outcome& outcome)
{
    if (outcome.failure) {
        setError(section, *outcome.failure);
        return;
    }
    if (section == AppSection::compress) {
        applyCompress(inputs, outcome);
        return;
    }
    const QStringList& outputs = outcome.outputs;
    const QLocale locale = AppLanguages::locale();
    QString text;
    if (outputs.size() == 1) {
        text = tr("Hazır: %1 · %2")
                   .arg(QFileInfo(outputs.first()).fileName(),
                        Formatting::fileSize(totalSize(outputs), locale));
    } else {
        text = tr("Hazır: %1 dosya · %2 klasöründe")
                   .arg(Formatting::count(outputs.size(), locale),
                        QFileInfo(outputs.value(0)).absoluteDir().dirName());
    }
    finish(section, inputs, outputs, text);
}

// Each input's result is the size written for it, 0 when it did not shrink;
// only the inputs that shrank enter the banner's sizes and the history.
void Store::applyCompress(const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome)
{
    QHash<QUuid, qint64> results;
    QList<PDFFile> compressed;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const std::optional<QString> written = outcome.perSource.value(i);
        results.insert(inputs[i].id, written ? PDFEngine::fileSize(*written) : 0);
        if (written) {
            compressed.append(inputs[i]);
        }
    }
    setCompressResults(results);

    if (outcome.notSmaller) {
        setBanner(AppSection::compress, Banner{*outcome.notSmaller, {}, Banner::Kind::information});
        return;
    }
    qint64 before = 0;
    for (const PDFFile& input : compressed) {
        before += input.bytes;
    }
    const qint64 after = totalSize(outcome.outputs);
    const double ratio =
        static_cast<double>(before - after) / static_cast<double>(std::max<qint64>(before, 1));
    const QLocale locale = AppLanguages::locale();
    QString text = tr("Hazır: %1 → %2 · %3 daha küçük")
                       .arg(Formatting::fileSize(before, locale),
                            Formatting::fileSize(after, locale),
                            Formatting::percent(ratio, locale));
    const qsizetype unchanged = inputs.size() - compressed.size();
    if (unchanged > 0) {
        text += QLatin1Char(' ') +
                tr("Küçülmeyen dosya: %1 (yazılmadı).").arg(Formatting::count(unchanged, locale));
    }
    finish(AppSection::compress, compressed, outcome.outputs, text);
}

void Store::finish(AppSection section, const QList<PDFFile>& inputs, const QStringList& outputs,
                   const QString& text)
{
    setBanner(section, Banner{text, outputs, Banner::Kind::success});

    HistoryItem item;
    item.id = QUuid::createUuid();
    // Whole seconds, as the data file keeps it, so a reloaded history equals this one.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    item.date = now.addMSecs(-now.time().msec());
    item.tool = AppSections::rawValue(section);
    for (const PDFFile& input : inputs) {
        item.inputs.append(QFileInfo(input.source.url).fileName());
        item.bytesBefore += input.bytes;
    }
    item.outputs = outputs;
    item.bytesAfter = totalSize(outputs);
    if (!outputs.isEmpty()) {
        Preferences::setSaveFolder(item.tool, QFileInfo(outputs.first()).absolutePath());
    }

    AppData data = m_data;
    data.recordRun(item);
    setData(data, section);

    if (QSettings().value(QStringLiteral("revealAfter"), false).toBool()) {
        reveal(outputs, section);
    }
}
