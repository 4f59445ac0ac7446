#include "engine/document/Operations.h"
#include "engine/document/OutputTransaction.h"

#include <QFileInfo>

// What the process that started a run needs of the engine once a worker has staged it: where its
// outputs go and putting them in place. Apart from the operations, so that a program linking only
// these leaves the engine's codecs and fonts out.
namespace PDFEngine {

QString outputFolder(const Job& job)
{
    const auto folderOf = [](const QString& destination) {
        return QFileInfo(destination).absolutePath();
    };
    return std::visit(
        [&folderOf](const auto& j) -> QString {
            using Kind = std::decay_t<decltype(j)>;
            if constexpr (std::is_same_v<Kind, SplitJob>) {
                return j.folder;
            } else if constexpr (std::is_same_v<Kind, CompressJob> ||
                                 std::is_same_v<Kind, OcrJob>) {
                return j.sources.size() == 1 ? folderOf(j.destination) : j.folder;
            } else if constexpr (std::is_same_v<Kind, InspectJob>) {
                return QString();
            } else {
                return folderOf(j.destination);
            }
        },
        job);
}

void commit(Outcome& outcome)
{
    try {
        commit(outcome.staging);
        outcome.staging = {};
    } catch (const Failure& failure) {
        outcome = Outcome{};
        outcome.failure = failure.message();
    }
}

} // namespace PDFEngine
