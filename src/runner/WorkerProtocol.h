#pragma once

#include "core/AppLanguage.h"
#include "engine/include/Job.h"
#include "process/ChildLimits.h"

#include <QByteArray>
#include <optional>
#include <variant>

// What a parent and its leaflow-worker say to each other, each message one
// frame (Framing.h). The parent sends one request on the worker's standard
// input; the worker answers on its standard output with any number of notes
// and ends with the outcome. Both sides carry the protocol's version, so a
// worker from another build is refused rather than misread.
namespace WorkerProtocol {

// The largest frame either side accepts: signature images travel in requests.
constexpr qsizetype maxRequest = 256 << 20;
constexpr qsizetype maxMessage = 16 << 20;

struct Request {
    AppLanguage language = AppLanguage::tr; // the language of the worker's messages
    PDFEngine::Job job;
    // What the worker holds itself to before it runs the job: a worker started ahead of its job
    // (SpareWorker) could not be given them when it was started.
    ChildLimits::Bounds bounds;
};

QByteArray encode(const Request& request);
std::optional<Request> decodeRequest(const QByteArray& payload);

// The worker read its request and now runs the job. A worker that ends before saying so never
// touched the job: one that had waited as a spare is replaced by a fresh one.
struct Accepted {};
// done of total steps of the job.
struct Progress {
    qint64 done = 0;
    qint64 total = 0;
};
// The job now reads this input (zero-based).
struct Input {
    qint64 index = 0;
};
// The job created this temporary folder; the parent removes it if the worker dies.
struct Folder {
    QString path;
};
// An allocation failed: the address-space limit was reached.
struct OutOfMemory {};
struct Finished {
    PDFEngine::Outcome outcome;
};

using Message = std::variant<Accepted, Progress, Input, Folder, OutOfMemory, Finished>;

QByteArray encode(const Message& message);
std::optional<Message> decodeMessage(const QByteArray& payload);

} // namespace WorkerProtocol
