#include "DocumentProbe.h"

#include "RendererClient.h"

#include <QEventLoop>

DocumentProbe::DocumentProbe(QObject* parent)
    : QObject(parent), m_renderer(new RendererClient(1, this))
{
}

DocumentProbe::Opened DocumentProbe::open(const QString& path,
                                          const std::optional<QString>& password)
{
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
    default: break; // failed, overran its time or took the renderer down
    }
    return opened;
}
