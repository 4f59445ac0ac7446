#pragma once

#include "core/PDFSource.h"

#include <QList>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <optional>

class RendererClient;
class SpareWorker;

// Asks a renderer process of its own whether a file opens, and a worker how many pages the engine
// finds in it, waiting with the event loop turning: a file that hangs poppler or qpdf leaves the
// window drawing until the time limit refuses it.
class DocumentProbe : public QObject {
    Q_OBJECT

public:
    // Empty: a file of no bytes at all, which no reader is asked about.
    enum class State { open, locked, broken, empty };
    struct Opened {
        State state = State::broken;
        bool needsPassword = false; // locked until the given password opened it
        QList<QSizeF> pageSizes;    // of an open document
        QString failure;            // broken because no renderer could be started: why
    };

    // Counts pages in the spare worker when it can.
    explicit DocumentProbe(SpareWorker* spare, QObject* parent = nullptr);

    // Clicks and keys wait meanwhile: the window paints and its timers run, but nothing the
    // user does reaches a Store that is halfway through admitting a file.
    Opened open(const QString& path, const std::optional<QString>& password);

    // The pages the engine finds, opening the file as every job does (the viewer forgives damage
    // the jobs refuse), or the message naming the file (empty when it is only unreadable).
    // Waits like open().
    struct Counted {
        std::optional<qint64> pages;
        QString failure;
    };
    Counted countPages(const PDFSource& source);

private:
    RendererClient* m_renderer; // child object
    SpareWorker* m_spare;
};
