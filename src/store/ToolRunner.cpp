#include "ToolRunner.h"

#include <exception>

namespace {

QStringList runCompression(const ToolRequest& request, QList<std::optional<QString>>& perSource)
{
    QStringList outputs;
    for (qsizetype i = 0; i < request.sources.size(); ++i) {
        // With several inputs every name is made unique only now, so that a file
        // written for an earlier input of the same stem is seen.
        const QString target =
            request.sources.size() == 1
                ? request.destination
                : PDFEngine::uniqueURL(request.folder, request.baseNames.value(i));
        if (PDFEngine::compress(request.sources[i], request.level, target)) {
            perSource.append(target);
            outputs.append(target);
        } else {
            perSource.append(std::nullopt);
        }
    }
    return outputs;
}

QStringList runOperation(const ToolRequest& request, ToolOutcome& outcome)
{
    switch (request.tool) {
    case AppSection::merge:
        PDFEngine::merge(request.sources, request.destination);
        return {request.destination};
    case AppSection::split:
        return PDFEngine::split(request.sources.value(0), request.groups, request.folder);
    case AppSection::compress:
        return runCompression(request, outcome.perSource);
    case AppSection::pages:
        PDFEngine::deletePages(request.sources.value(0), request.removing, request.destination);
        return {request.destination};
    case AppSection::sign:
        PDFEngine::sign(request.sources.value(0), request.signItems, request.destination);
        return {request.destination};
    case AppSection::history:
        break;
    }
    return {};
}

} // namespace

ToolOutcome runTool(const ToolRequest& request)
{
    ToolOutcome outcome;
    try {
        outcome.outputs = runOperation(request, outcome);
    } catch (const PDFEngine::Failure& failure) {
        outcome = ToolOutcome{};
        outcome.failure = failure.message();
    } catch (const std::exception& e) {
        // The engine promises Failure only; anything else still must not end the app.
        outcome = ToolOutcome{};
        outcome.failure = QString::fromUtf8(e.what());
    }
    return outcome;
}
