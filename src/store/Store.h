#pragma once

#include "core/AppData.h"
#include "core/Banner.h"
#include "core/DataFile.h"
#include "core/PDFFile.h"
#include "runner/RunLimits.h"
#include "store/SignatureLibrary.h"

#include <QImage>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUuid>
#include <functional>
#include <optional>

class ContainedRun;
class SpareWorker;
class DocumentProbe;
class FileReveal;
class Dialogs;
class Thumbnails;
class ToolModel;

// What every tool shares: the tools themselves, the busy mark and the run in progress, the
// banners, the persisted data (history and signature library) and the thumbnail cache. Each
// tool's own inputs and settings live on its model.
// Everything here belongs to the main thread; engine work runs in a worker process.
class Store : public QObject {
    Q_OBJECT

public:
    using BringForward = std::function<void()>;

    Store(Dialogs& dialogs, FileReveal& reveal, DataFile dataFile, BringForward bringForward = {},
          QObject* parent = nullptr);
    ~Store() override;

    // Files handed to the application before the Store existed.
    static QStringList& pending();

    // The tools, in the order they were made (the sidebar's).
    const QList<ToolModel*>& tools() const { return m_tools; }
    // The tool of that key; none for a page that is not a tool (the history).
    ToolModel* tool(const QString& key) const;
    template <class Model>
    Model& tool() const
    {
        for (ToolModel* each : m_tools) {
            if (auto* model = qobject_cast<Model*>(each)) {
                return *model;
            }
        }
        qFatal("Store: no such tool");
    }

    // The page the window shows ("history" or a tool's key): files handed over go to its tool,
    // and an error on a page is dropped once the user has gone elsewhere.
    const QString& shownPage() const { return m_shownPage; }
    void setShownPage(const QString& page);

    const AppData& data() const { return m_data; }
    // Saves the data file too. When that fails, the data stays here, `page` (the shown one when
    // none) says why, and the next change and the Store's end try again.
    void setData(const AppData& data, const std::optional<QString>& page = std::nullopt);
    // The key of the tool that is running.
    const std::optional<QString>& busy() const { return m_busy; }
    const QMap<QString, Banner>& banners() const { return m_banners; }
    std::optional<Banner> banner(const QString& page) const;
    void setBanner(const QString& page, const Banner& banner);
    void setError(const QString& page, const QString& text);
    void removeBanner(const QString& page); // the page's dismiss button

    const DataFile& dataFile() const { return m_dataFile; }
    // The dialogs the Store asks through, for pickers a screen shows itself (the pad's image).
    Dialogs& dialogs() const { return m_dialogs; }
    // The file manager, for windows that show a folder of their own (the data folder).
    FileReveal& fileReveal() const { return m_reveal; }

    // Admission of inputs.
    void addFiles(const QStringList& paths, ToolModel& tool);
    void open(ToolModel& tool);
    void receive(const QStringList& paths);
    // True while a file being added is opened by the renderer or counted by a worker; the window
    // shows a busy pointer meanwhile, since clicks and keys wait.
    bool isProbing() const { return m_probing; }

    // Starts the run of a tool unless one is already running. The job runs in a
    // worker process, so the window stays responsive and a bad input cannot take it down.
    void run(ToolModel& tool);
    // Stops the run in progress at once: nothing is written, recorded or shown.
    void cancelRun();
    // Shows a tool running without starting a job, for the screenshot mode's last picture;
    // the mode clears it (nullopt) before quitting, which would otherwise ask to stop the run.
    void markBusyForPicture(const std::optional<QString>& tool) { setBusy(tool); }
    // How far the run in progress has come: done of total, rising with the work of the whole
    // run; both 0 before the worker's first report and when idle.
    struct RunProgress {
        qint64 done = 0;
        qint64 total = 0;
        bool operator==(const RunProgress&) const = default;
    };
    const RunProgress& runProgress() const { return m_runProgress; }
    // The process id of the worker started ahead of the next run (0 when there is none): the
    // window always has one, which is no run's.
    qint64 spareWorker() const;
    // Bounds for the runs from now on; none: each job's own defaults. For tests.
    void setRunLimits(const std::optional<RunLimits>& limits) { m_runLimits = limits; }
    // A finished run's banner with `text` and its outputs, its history record, and the reveal
    // the settings ask for.
    void finishRun(const ToolModel& tool, const QList<PDFFile>& inputs, const QStringList& outputs,
                   const QString& text);

    // The signature library.
    QString nextSignatureName() const;
    // Strokes in the pad's own units, y downwards; nothing is added without a point.
    void addDrawnSignature(const QString& name, const QList<Stroke>& strokes, double lineWidth,
                           InkColor ink);
    // False, with nothing added, when the image cannot be read or stored.
    bool addImageSignature(const QString& path, const QString& name);
    // Also removes its image file and its cached preview; signatureDeleted tells the tools.
    void deleteSignature(const QUuid& id);
    // The preview, 200 × aspect by 200 points; null when there is nothing to draw.
    QImage signatureImage(const SavedSignature& signature);
    // What the engine stamps for a signature; none when its image file is gone.
    std::optional<SignatureArt> signatureArt(const SavedSignature& signature) const;

    // Empties the inputs of a tool and its banner.
    void clear(ToolModel& tool);
    // Empties the history list and saves the data file; output files stay where they are.
    void clearHistory();
    // Asks the file manager to show and select these files; when nothing answers, `page` names
    // their folders instead.
    void reveal(const QStringList& paths, const QString& page);
    // What a reveal of `paths` that nothing answered tells the user: where the files are.
    static QString revealFailure(const QStringList& paths);
    // Opens the file in the desktop's PDF viewer; when nothing opens it, `page` says so.
    void openOutput(const QString& path, const QString& page);

    // The cache key of a page thumbnail.
    static QString thumbnailKey(const PDFFile& file, qint64 index, double side);
    // The cached image of page index for a square slot of side points; none until rendered.
    std::optional<QImage> thumbnail(const PDFFile& file, qint64 index, double side) const;
    // The cached image, or none after starting its rendering off the main thread;
    // thumbnailReady(key) follows once it is cached. Missing pages give none and no signal.
    std::optional<QImage> requestThumbnail(const PDFFile& file, qint64 index, double side);

signals:
    void dataChanged();
    void busyChanged();
    void runProgressChanged();
    void probingChanged();
    void bannersChanged();
    // Any field of the Store or of a tool changed.
    void changed();
    void thumbnailReady(const QString& key);
    void signatureDeleted(const QUuid& id);
    // Files were handed to the tool of `page` while another page showed.
    void pageWanted(const QString& page);

private:
    friend class ToolModel;
    void adopt(ToolModel& tool);

    // A file of a batch that was turned away, and the message saying why.
    struct Rejection {
        QString name;
        QString message;
    };
    void admitBatch(const QStringList& paths, ToolModel& tool);
    // Admits the batches that waited, unless a run has started meanwhile (then they are dropped,
    // as files arriving during a run are), and stops holding new ones back.
    void admitLaterBatches();
    // Opens and checks one file; a refusal is added to rejections, a cancelled
    // password prompt adds nothing. A password already known for the file is tried first.
    std::optional<PDFFile> admit(const QString& path, const std::optional<QString>& knownPassword,
                                 QList<Rejection>& rejections);
    // The password that unlocked the file when it was listed before, in any tool or earlier in
    // this batch, so the user is not asked for it twice.
    std::optional<QString> listedPassword(const QList<PDFFile>& batch, const QString& path) const;
    void reportRejections(const QString& page, const QList<Rejection>& rejections);
    void removeError(const QString& page);
    void setBusy(const std::optional<QString>& busy);
    void setRunProgress(const RunProgress& progress);
    void setProbing(bool probing);
    void notify(void (Store::*signal)());
    // What a finished run leaves: the tool's banner and record, or the failure.
    void apply(ToolModel& tool, const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome);

    Dialogs& m_dialogs;
    FileReveal& m_reveal;
    DataFile m_dataFile;
    BringForward m_bringForward;
    SignatureLibrary m_library{m_dataFile}; // after m_dataFile, which it copies
    Thumbnails* m_thumbs = nullptr;         // child object
    SpareWorker* m_spare = nullptr;         // child object
    DocumentProbe* m_probe = nullptr;       // child object
    QList<ToolModel*> m_tools;              // child objects
    QString m_shownPage;
    bool m_admitting = false;
    bool m_probing = false;
    QList<std::pair<QStringList, QPointer<ToolModel>>> m_laterBatches;

    AppData m_data;
    std::optional<QString> m_busy;
    QMap<QString, Banner> m_banners;
    QPointer<ContainedRun> m_run; // child object while a run is in progress
    RunProgress m_runProgress;
    std::optional<RunLimits> m_runLimits;
    QString m_unsavedNote; // the banner note while data is not on disk; empty once it is
};
