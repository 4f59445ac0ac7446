#include "store/DocumentProbe.h"

#include "render/RendererClient.h"
#include "runner/ContainedRun.h"

#include <QEventLoop>
#include <QFileInfo>

DocumentProbe::DocumentProbe(SpareWorker* spare, QObject* parent)
    : QObject(parent), m_renderer(new RendererClient(1, this)), m_spare(spare)
{
}

DocumentProbe::Opened DocumentProbe::open(const QString& path,
                                          const std::optional<QString>& password)
{
    // Told apart from a damaged file, since the user's remedy differs: the file was never
    // written to, or the copy that made it was cut short.
    const QFileInfo info(path);
    if (info.isFile() && info.size() == 0) {
        return Opened{State::empty, false, {}, {}};
    }
    RenderProtocol::Request request;
    request.kind = RenderProtocol::Kind::open;
    request.path = path;
    request.password = password;
    const quint64 ticket = m_renderer->submit(request);

    std::optional<RenderProtocol::Reply> reply;
    QEventLoop loop;
    connect(m_renderer, &RendererClient::answered, &loop,
            [&](quint64 answered, const RenderProtocol::Reply& answer) {
                if (answered == ticket) {
                    reply = answer;
                    loop.quit();
                }
            });
    loop.exec(QEventLoop::ExcludeUserInputEvents);

    const RenderProtocol::Reply answer = reply.value_or(RenderProtocol::Reply{});
    Opened opened;
    opened.needsPassword = answer.needsPassword;
    switch (answer.status) {
    case RenderProtocol::Status::done:
        opened.state = State::open;
        opened.pageSizes = answer.pageSizes;
        break;
    case RenderProtocol::Status::locked: opened.state = State::locked; break;
    case RenderProtocol::Status::unavailable: opened.failure = m_renderer->startFailure(); break;
    default: break; // failed, overran its time or took the renderer down
    }
    return opened;
}

DocumentProbe::Counted DocumentProbe::countPages(const PDFSource& source)
{
    const PDFEngine::Job job = PDFEngine::InspectJob{source};
    ContainedRun run(nullptr, m_spare);
    const PDFEngine::Outcome outcome =
        run.run(job, RunLimits::forJob(job)).value_or(PDFEngine::Outcome{});
    if (outcome.pageCount) {
        return Counted{outcome.pageCount, {}};
    }
    // Locked although the renderer opened it: the two libraries disagree, and the file is refused.
    return Counted{std::nullopt, outcome.failure.value_or(QString())};
}
