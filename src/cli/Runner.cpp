#include "Runner.h"

#include "CompressText.h"
#include "PDFEngine.h"
#include "PasswordPrompt.h"
#include "SignatureFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <iostream>
#include <unistd.h>

namespace {

// A locked input given without a password gets one from the terminal, when there is one.
// Without a terminal nobody can answer, so the file is not opened an extra time to ask.
PDFSource withPassword(PDFSource source)
{
    if (source.password || !isatty(STDIN_FILENO) || !PDFEngine::needsPassword(source.url)) {
        return source;
    }
    const QString prompt =
        QCoreApplication::translate("leaflow-cli", "%1 için parola: ")
            .arg(QFileInfo(source.url).fileName());
    source.password = promptPassword(prompt);
    return source;
}

void print(const QString& line)
{
    std::cout << line.toStdString() << '\n';
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
    PDFEngine::merge(inputs, merge.output);
    return 0;
}

int run(const CommandLine::Split& split)
{
    const PDFSource input = withPassword(split.input);
    const qint64 pages = PDFEngine::pageCount(input);
    PDFEngine::Grouping groups;
    switch (split.mode) {
    case SplitMode::each: groups = PDFEngine::chunks(pages, 1); break;
    case SplitMode::every: groups = PDFEngine::chunks(pages, split.every); break;
    case SplitMode::ranges: groups = PDFEngine::parseRanges(split.ranges, pages); break;
    }
    for (const QString& path : PDFEngine::split(input, groups, split.folder)) {
        print(path);
    }
    return 0;
}

int run(const CommandLine::Delete& del)
{
    const PDFSource input = withPassword(del.input);
    const qint64 pages = PDFEngine::pageCount(input);
    QSet<int> removing;
    for (const PDFEngine::PageGroup& group : PDFEngine::parseRanges(del.pages, pages)) {
        for (int index : group) {
            removing.insert(index);
        }
    }
    PDFEngine::deletePages(input, removing, del.output);
    return 0;
}

// Exit 3: nothing went wrong, but the result was not smaller and nothing was written.
int run(const CommandLine::Compress& compress)
{
    const PDFSource input = withPassword(compress.input);
    const qint64 before = PDFEngine::fileSize(input.url);
    if (!PDFEngine::compress(input, compress.level, compress.output)) {
        std::cerr << CompressText::notSmaller().toStdString() << '\n';
        return 3;
    }
    print(QCoreApplication::translate("leaflow-cli", "%1: %2 bayt → %3 bayt")
              .arg(compress.output)
              .arg(before)
              .arg(PDFEngine::fileSize(compress.output)));
    return 0;
}

// Every signature file is read before anything else, so a bad one fails early.
int run(const CommandLine::Sign& sign)
{
    QList<PDFEngine::SignItem> items;
    for (const CommandLine::SignPlacement& placement : sign.placements) {
        const std::optional<SignatureArt> art = SignatureFile::read(placement.signatureFile);
        if (!art) {
            std::cerr << QCoreApplication::translate("leaflow-cli", "İmza okunamadı: %1")
                             .arg(QFileInfo(placement.signatureFile).fileName())
                             .toStdString()
                      << '\n';
            return 1;
        }
        items.append(PDFEngine::SignItem{placement.page - 1, placement.rect, *art});
    }
    PDFEngine::sign(withPassword(sign.input), items, sign.output);
    return 0;
}

} // namespace

int runCommand(const CommandLine::Command& command)
{
    try {
        return std::visit([](const auto& c) { return run(c); }, command);
    } catch (const PDFEngine::Failure& failure) {
        std::cerr << failure.message().toStdString() << '\n';
        return 1;
    }
}
