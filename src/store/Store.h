#pragma once

#include "AppData.h"
#include "AppSection.h"
#include "Banner.h"
#include "DataFile.h"
#include "PDFFile.h"
#include "Placement.h"
#include "RunLimits.h"
#include "SignatureLibrary.h"
#include "SplitPlan.h"
#include "ToolOptions.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QSet>
#include <QStringList>
#include <QUuid>
#include <functional>
#include <optional>

class ContainedRun;
class DocumentProbe;
class FileReveal;
class Panels;
class Thumbnails;
namespace PDFEngine {
struct Outcome;
}

// The application's one state-and-actions object: tool inputs and settings,
// the busy mark, the banners, the persisted data and the thumbnail cache.
// Everything here belongs to the main thread; engine work runs in a worker process.
class Store : public QObject {
    Q_OBJECT

public:
    using BringForward = std::function<void()>;

    Store(Panels& panels, FileReveal& reveal, DataFile dataFile, BringForward bringForward = {},
          QObject* parent = nullptr);
    ~Store() override;

    // Files handed to the application before the Store existed.
    static QStringList& pending();

    // Published fields.
    const AppData& data() const { return m_data; }
    // Saves the data file too. When that fails, the data stays here, the page of `section` (the
    // current one when none) says why, and the next change and the Store's end try again.
    void setData(const AppData& data, std::optional<AppSection> section = std::nullopt);
    const QList<PDFFile>& mergeFiles() const { return m_mergeFiles; }
    void setMergeFiles(const QList<PDFFile>& files);
    const std::optional<PDFFile>& splitFile() const { return m_splitFile; }
    void setSplitFile(const std::optional<PDFFile>& file);
    SplitMode splitMode() const { return m_splitMode; }
    void setSplitMode(SplitMode mode);
    int splitEvery() const { return m_splitEvery; }
    void setSplitEvery(int every);
    const QString& splitRanges() const { return m_splitRanges; }
    void setSplitRanges(const QString& ranges);
    const QList<PDFFile>& compressFiles() const { return m_compressFiles; }
    void setCompressFiles(const QList<PDFFile>& files);
    const QHash<QUuid, qint64>& compressResults() const { return m_compressResults; }
    void setCompressResults(const QHash<QUuid, qint64>& results);
    CompressionLevel compressionLevel() const { return m_compressionLevel; }
    void setCompressionLevel(CompressionLevel level); // also written to the settings
    const std::optional<PDFFile>& signFile() const { return m_signFile; }
    void setSignFile(const std::optional<PDFFile>& file);
    int signPage() const { return m_signPage; }
    void setSignPage(int page);
    const QList<Placement>& placements() const { return m_placements; }
    void setPlacements(const QList<Placement>& placements);
    const std::optional<QUuid>& selectedPlacement() const { return m_selectedPlacement; }
    void setSelectedPlacement(const std::optional<QUuid>& id);
    const std::optional<PDFFile>& pagesFile() const { return m_pagesFile; }
    void setPagesFile(const std::optional<PDFFile>& file);
    const QSet<int>& pagesSelected() const { return m_pagesSelected; }
    void setPagesSelected(const QSet<int>& pages);
    const std::optional<AppSection>& busy() const { return m_busy; }
    const QMap<AppSection, Banner>& banners() const { return m_banners; }
    std::optional<Banner> banner(AppSection section) const;
    void removeBanner(AppSection section); // the page's dismiss button

    const DataFile& dataFile() const { return m_dataFile; }
    // The dialogs the Store asks through, for pickers a screen shows itself (the pad's image).
    Panels& panels() const { return m_panels; }
    // The file manager, for windows that show a folder of their own (the data folder).
    FileReveal& fileReveal() const { return m_reveal; }

    // Admission of inputs.
    void addFiles(const QStringList& paths, AppSection section);
    void open(AppSection section);
    void receive(const QStringList& paths);
    // True while a file being added is opened by the renderer or counted by a worker; the window
    // shows a busy pointer meanwhile, since clicks and keys wait.
    bool isProbing() const { return m_probing; }

    // Starts the run of a tool unless one is already running. The job runs in a
    // worker process, so the window stays responsive and a bad input cannot take it down.
    void run(AppSection section);
    // Stops the run in progress at once: nothing is written, recorded or shown.
    void cancelRun();
    // Shows `section` running without starting a job, for the screenshot mode's last picture;
    // the mode clears it (nullopt) before quitting, which would otherwise ask to stop the run.
    void markBusyForPicture(const std::optional<AppSection>& section) { setBusy(section); }
    // How far the run in progress has come: done of total, rising with the work of the whole
    // run; both 0 before the worker's first report and when idle.
    struct RunProgress {
        qint64 done = 0;
        qint64 total = 0;
        bool operator==(const RunProgress&) const = default;
    };
    const RunProgress& runProgress() const { return m_runProgress; }
    // Bounds for the runs from now on; none: each job's own defaults. For tests.
    void setRunLimits(const std::optional<RunLimits>& limits) { m_runLimits = limits; }

    // The signature library.
    QString nextSignatureName() const;
    // Strokes in the pad's own units, y downwards; nothing is added without a point.
    void addDrawnSignature(const QString& name, const QList<Stroke>& strokes, double lineWidth,
                           InkColor ink);
    // False, with nothing added, when the image cannot be read or stored.
    bool addImageSignature(const QString& path, const QString& name);
    // Also removes its image file, its placements and its cached preview.
    void deleteSignature(const QUuid& id);
    // The preview, 200 × aspect by 200 points; null when there is nothing to draw.
    QImage signatureImage(const SavedSignature& signature);

    // Placements on signFile. Drags pass the placement's rectangle at the start
    // of the drag and the translation so far, in fractions of the page.
    void place(const SavedSignature& signature);
    void movePlacement(const QUuid& id, const QRectF& start, QPointF translation);
    void resizePlacement(const QUuid& id, const QRectF& start, QPointF translation);
    void removePlacement(const QUuid& id);

    // Empties the inputs of a tool.
    void clear(AppSection section);
    // Empties the history list and saves the data file; output files stay where they are.
    void clearHistory();
    // Asks the file manager to show and select these files; when nothing answers, the page of
    // `section` names their folders instead.
    void reveal(const QStringList& paths, AppSection section);
    // What a reveal of `paths` that nothing answered tells the user: where the files are.
    static QString revealFailure(const QStringList& paths);
    // Opens the file in the desktop's PDF viewer; when nothing opens it, the page of `section`
    // says so.
    void openOutput(const QString& path, AppSection section);
    // The page groups a split of splitFile would write, or why it cannot.
    SplitPlan splitGroups() const;

    // The cache key of a page thumbnail.
    static QString thumbnailKey(const PDFFile& file, qint64 index, double side);
    // The cached image of page index for a square slot of side points; none until rendered.
    std::optional<QImage> thumbnail(const PDFFile& file, qint64 index, double side) const;
    // The cached image, or none after starting its rendering off the main thread;
    // thumbnailReady(key) follows once it is cached. Missing pages give none and no signal.
    std::optional<QImage> requestThumbnail(const PDFFile& file, qint64 index, double side);

signals:
    void dataChanged();
    void mergeFilesChanged();
    void splitFileChanged();
    void splitModeChanged();
    void splitEveryChanged();
    void splitRangesChanged();
    void compressFilesChanged();
    void compressResultsChanged();
    void compressionLevelChanged();
    void signFileChanged();
    void signPageChanged();
    void placementsChanged();
    void selectedPlacementChanged();
    void pagesFileChanged();
    void pagesSelectedChanged();
    void busyChanged();
    void runProgressChanged();
    void probingChanged();
    void bannersChanged();
    // Any published field changed.
    void changed();
    void thumbnailReady(const QString& key);

private:
    // A file of a batch that was turned away, and the message saying why.
    struct Rejection {
        QString name;
        QString message;
    };
    void admitBatch(const QStringList& paths, AppSection section);
    // Admits the batches that waited, unless a run has started meanwhile (then they are dropped,
    // as files arriving during a run are), and stops holding new ones back.
    void admitLaterBatches();
    // Opens and checks one file; a refusal is added to rejections, a cancelled
    // password prompt adds nothing. A password already known for the file is tried first.
    std::optional<PDFFile> admit(const QString& path, const std::optional<QString>& knownPassword,
                                 QList<Rejection>& rejections);
    void reportRejections(AppSection section, const QList<Rejection>& rejections);
    void setBanner(AppSection section, const Banner& banner);
    void setError(AppSection section, const QString& text);
    void removeError(AppSection section);
    void setBusy(const std::optional<AppSection>& busy);
    void setRunProgress(const RunProgress& progress);
    void setProbing(bool probing);
    void notify(void (Store::*signal)());

    void updatePlacement(const QUuid& id, const QRectF& rect);

    // Builds each tool's job from the fields below (StoreRuns.cpp).
    friend struct ToolJobs;
    // What a finished run leaves: the banner, the history record, the reveal.
    void apply(AppSection section, const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome);
    void applyCompress(const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome);
    void finish(AppSection section, const QList<PDFFile>& inputs, const QStringList& outputs,
                const QString& text);

    Panels& m_panels;
    FileReveal& m_reveal;
    DataFile m_dataFile;
    BringForward m_bringForward;
    SignatureLibrary m_library{m_dataFile}; // after m_dataFile, which it copies
    Thumbnails* m_thumbs = nullptr;         // child object
    DocumentProbe* m_probe = nullptr;       // child object
    bool m_admitting = false;
    bool m_probing = false;
    QList<std::pair<QStringList, AppSection>> m_laterBatches;

    AppData m_data;
    QList<PDFFile> m_mergeFiles;
    std::optional<PDFFile> m_splitFile;
    SplitMode m_splitMode = SplitMode::each;
    int m_splitEvery = 2;
    QString m_splitRanges;
    QList<PDFFile> m_compressFiles;
    QHash<QUuid, qint64> m_compressResults;
    CompressionLevel m_compressionLevel = CompressionLevel::balanced;
    std::optional<PDFFile> m_signFile;
    int m_signPage = 0;
    QList<Placement> m_placements;
    std::optional<QUuid> m_selectedPlacement;
    std::optional<PDFFile> m_pagesFile;
    QSet<int> m_pagesSelected;
    std::optional<AppSection> m_busy;
    QMap<AppSection, Banner> m_banners;
    QPointer<ContainedRun> m_run; // child object while a run is in progress
    RunProgress m_runProgress;
    std::optional<RunLimits> m_runLimits;
    QString m_unsavedNote; // the banner note while data is not on disk; empty once it is
};
