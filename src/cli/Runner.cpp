#include "cli/Runner.h"

#include "cli/Interrupt.h"
#include "cli/PageOrder.h"
#include "cli/PasswordPrompt.h"
#include "cli/SignatureFile.h"
#include "engine/include/PDFEngine.h"
#include "runner/ContainedRun.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <iostream>
#include <stdexcept>
#include <unistd.h>

namespace {

// Thrown when Ctrl+C cancelled the job; ends the program with interruptedStatus.
struct Interrupted {};
// Thrown when a step before the job failed, its message printed; ends the program with status 1.
struct Failed {};

// The command line's bounds, applied to each job's own defaults.
CommandLine::Limits& bounds()
{
    static CommandLine::Limits limits;
    return limits;
}

void print(const QString& line)
{
    std::cout << line.toStdString() << '\n';
}

// Runs a job in a worker; a failure goes to standard error as exit 1.
std::optional<PDFEngine::Outcome> perform(const PDFEngine::Job& job)
{
    RunLimits limits = RunLimits::forJob(job);
    if (bounds().timeoutSeconds) {
        limits.wallTime = std::chrono::seconds(*bounds().timeoutSeconds);
    }
    if (bounds().memoryMiB) {
        limits.memoryBytes = *bounds().memoryMiB << 20;
    }
    ContainedRun run;
    Interrupt interrupt;
    QObject::connect(&interrupt, &Interrupt::interrupted, &run, &ContainedRun::cancel);
    const std::optional<PDFEngine::Outcome> ended = run.run(job, limits);
    if (!ended) {
        throw Interrupted{};
    }
    const PDFEngine::Outcome& outcome = *ended;
    if (outcome.failure) {
        std::cerr << outcome.failure->toStdString() << '\n';
        return std::nullopt;
    }
    return outcome;
}

// A locked input given without a password gets one from the terminal, when there is one.
// Without a terminal nobody can answer, so the file is not opened an extra time to ask. The file
// is looked at in a worker too: one that hangs the PDF library ends in the time-limit message.
PDFSource withPassword(PDFSource source)
{
    if (source.password || !isatty(STDIN_FILENO)) {
        return source;
    }
    const std::optional<PDFEngine::Outcome> inspected = perform(PDFEngine::InspectJob{source});
    if (!inspected) {
        throw Failed{};
    }
    if (inspected->locked) {
        const QString prompt = QCoreApplication::translate("leaflow-cli", "%1 için parola: ")
                                   .arg(QFileInfo(source.path).fileName());
        source.password = promptPassword(prompt);
    }
    return source;
}

// The input unlocked as withPassword leaves it, and its pages as the job will count them. Given no
// password and no terminal, an empty one makes a locked input fail with the engine's own message.
std::pair<PDFSource, qint64> counted(PDFSource source)
{
    source = withPassword(std::move(source));
    if (!source.password) {
        source.password = QString();
    }
    const std::optional<PDFEngine::Outcome> inspected = perform(PDFEngine::InspectJob{source});
    if (!inspected || !inspected->pageCount) {
        throw Failed{};
    }
    return {source, *inspected->pageCount};
}

int run(const CommandLine::Help&)
{
    std::cout << CommandLine::usage().toStdString();
    return 0;
}

int run(const CommandLine::Merge& merge)
{
    QList<PDFSource> inputs;
    for (const PDFSource& input : merge.inputs) {
        inputs.append(withPassword(input));
    }
    return perform(PDFEngine::MergeJob{inputs, merge.output, merge.ranges}) ? 0 : 1;
}

// A range that does not read is reported as the engine reports a split's.
int run(const CommandLine::Organize& organize)
{
    const auto [input, pageCount] = counted(organize.input);
    const auto pages = PageOrder::pages(organize, pageCount);
    if (const auto* error = std::get_if<QString>(&pages)) {
        std::cerr << error->toStdString() << '\n';
        return 1;
    }
    const PDFEngine::OrganizeJob job{{input},
                                     std::get<QList<PDFEngine::OrganizedPage>>(pages),
                                     organize.output};
    return perform(job) ? 0 : 1;
}

int run(const CommandLine::Split& split)
{
    const PDFEngine::SplitRule rule{split.mode, split.every, split.ranges};
    const std::optional<PDFEngine::Outcome> outcome =
        perform(PDFEngine::SplitJob{withPassword(split.input), rule, split.folder});
    if (!outcome) {
        return 1;
    }
    for (const QString& path : outcome->outputs) {
        print(path);
    }
    return 0;
}

int run(const CommandLine::Delete& del)
{
    return perform(PDFEngine::DeletePagesJob{withPassword(del.input), {}, del.pages, del.output})
               ? 0
               : 1;
}

// Exit 3: nothing went wrong, but the result was not smaller and nothing was written.
int run(const CommandLine::Compress& compress)
{
    const PDFSource input = withPassword(compress.input);
    const qint64 before = PDFEngine::fileSize(input.path);
    const std::optional<PDFEngine::Outcome> outcome =
        perform(PDFEngine::CompressJob{{input}, compress.level, compress.output, {}, {}});
    if (!outcome) {
        return 1;
    }
    if (outcome->notSmaller) {
        std::cerr << outcome->notSmaller->toStdString() << '\n';
        return 3;
    }
    print(QCoreApplication::translate("leaflow-cli", "%1: %2 bayt → %3 bayt")
              .arg(compress.output)
              .arg(before)
              .arg(PDFEngine::fileSize(compress.output)));
    return 0;
}

// "12 sayfa tanındı, 3 sayfa zaten aranabilir, 2 sayfa döndürüldü": what is none is left out,
// except the pages recognised.
QString tallyLine(const PDFEngine::RecognitionTally& tally)
{
    QStringList parts{
        QCoreApplication::translate("leaflow-cli", "%n sayfa tanındı", nullptr, tally.recognised)};
    if (tally.searchable > 0) {
        parts.append(QCoreApplication::translate("leaflow-cli", "%n sayfa zaten aranabilir",
                                                 nullptr, tally.searchable));
    }
    if (tally.turned > 0) {
        parts.append(QCoreApplication::translate("leaflow-cli", "%n sayfa döndürüldü", nullptr,
                                                 tally.turned));
    }
    return parts.join(QStringLiteral(", "));
}

// The run's time limit grows with the pages, so they are counted first. Exit 3: every page
// showed text already and nothing was written.
int run(const CommandLine::Ocr& ocr)
{
    const auto [input, pageCount] = counted(ocr.input);
    const PDFEngine::OcrJob job{.sources = {input},
                                .languages = ocr.languages,
                                .redo = ocr.redo,
                                .turnPages = ocr.rotatePages,
                                .pageCounts = {pageCount},
                                .destination = ocr.output,
                                .folder = {},
                                .baseNames = {},
                                .createFolder = false};
    const std::optional<PDFEngine::Outcome> outcome = perform(job);
    if (!outcome) {
        return 1;
    }
    const PDFEngine::RecognitionTally tally = outcome->recognition.value(0);
    if (outcome->outputs.isEmpty()) {
        std::cerr << QCoreApplication::translate(
                         "leaflow-cli",
                         "Bütün sayfalar zaten aranabilir (%n sayfa), yeni dosya yazılmadı.",
                         nullptr, tally.searchable)
                         .toStdString()
                  << '\n';
        return 3;
    }
    print(tallyLine(tally));
    return 0;
}

// Every signature file is read before anything else, so a bad one fails early.
int run(const CommandLine::Sign& sign)
{
    QList<PDFEngine::SignItem> items;
    for (const CommandLine::SignPlacement& placement : sign.placements) {
        std::optional<SignatureArt> art;
        try {
            art = SignatureFile::read(placement.signatureFile);
        } catch (const std::runtime_error& e) {
            std::cerr << e.what() << '\n';
            return 1;
        }
        if (!art) {
            std::cerr << QCoreApplication::translate("leaflow-cli", "İmza okunamadı: %1")
                             .arg(QFileInfo(placement.signatureFile).fileName())
                             .toStdString()
                      << '\n';
            return 1;
        }
        items.append(PDFEngine::SignItem{placement.page - 1, placement.rect, *art});
    }
    return perform(PDFEngine::SignJob{withPassword(sign.input), items, sign.output}) ? 0 : 1;
}

} // namespace

int runCommand(const CommandLine::Command& command, const CommandLine::Limits& limits)
{
    bounds() = limits;
    try {
        return std::visit([](const auto& c) { return run(c); }, command);
    } catch (const Interrupted&) {
        return interruptedStatus;
    } catch (const Failed&) {
        return 1;
    }
}
