#pragma once

#include "render/RenderProtocol.h"

#include <QString>
#include <list>
#include <memory>

namespace Poppler {
class Document;
}

// The renderer process's side: answers each request with poppler, keeping the few documents
// it used last open.
class RenderServer {
public:
    RenderServer();
    ~RenderServer();
    RenderServer(const RenderServer&) = delete;
    RenderServer& operator=(const RenderServer&) = delete;

    RenderProtocol::Reply answer(const RenderProtocol::Request& request);

private:
    struct Entry {
        QString key; // path and password: another password is another document
        std::unique_ptr<Poppler::Document> doc;
        bool neededPassword = false;
    };
    // The document, unlocked, moved to the front; none when it does not open or stays locked.
    Entry* open(const RenderProtocol::Request& request, RenderProtocol::Reply& reply);
    static QImage render(Poppler::Document& doc, int page, double side);

    std::list<Entry> m_open;
};
