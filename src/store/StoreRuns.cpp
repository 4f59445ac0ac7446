#include "Formatting.h"
#include "Panels.h"
#include "Store.h"

#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QSettings>
#include <QtConcurrent/QtConcurrentRun>

namespace {

qint64 totalSize(const QStringList& paths)
{
    qint64 total = 0;
    for (const QString& path : paths) {
        total += PDFEngine::fileSize(path);
    }
    return total;
}

} // namespace

void Store::run(AppSection section)
{
    if (m_busy) {
        return;
    }
    switch (section) {
    case AppSection::merge: runMerge(); break;
    case AppSection::split: runSplit(); break;
    case AppSection::compress: runCompress(); break;
    case AppSection::sign: runSign(); break;
    case AppSection::pages: runPages(); break;
    case AppSection::history: break;
    }
}

void Store::launch(const ToolRequest& request, OutcomeHandler handler)
{
    // The watcher is a child of the Store: if the Store goes first, the outcome
    // is dropped instead of reaching a destroyed object.
    auto* watcher = new QFutureWatcher<ToolOutcome>(this);
    connect(watcher, &QFutureWatcher<ToolOutcome>::finished, this,
            [watcher, handler = std::move(handler)] {
                const ToolOutcome outcome = watcher->result();
                watcher->deleteLater();
                handler(outcome);
            });
    watcher->setFuture(QtConcurrent::run(&runTool, request));
}

void Store::perform(AppSection section, const QList<PDFFile>& inputs, const ToolRequest& request)
{
    setBusy(section);
    removeBanner(section);
    launch(request, [this, section, inputs](const ToolOutcome& outcome) {
        if (outcome.failure) {
            setError(section, *outcome.failure);
        } else {
            const QStringList& outputs = outcome.outputs;
            const QLocale locale;
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
        setBusy(std::nullopt);
    });
}

void Store::finish(AppSection section, const QList<PDFFile>& inputs, const QStringList& outputs,
                   const QString& text)
{
    setBanner(section, Banner{text, outputs, false});

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

    AppData data = m_data;
    data.recordRun(item);
    setData(data);

    if (QSettings().value(QStringLiteral("revealAfter"), false).toBool()) {
        m_reveal.reveal(outputs);
    }
}
