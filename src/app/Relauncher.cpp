#include "Relauncher.h"

#include "SingleInstance.h"
#include "Store.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

QStringList paths(const QList<PDFFile>& files)
{
    QStringList listed;
    for (const PDFFile& file : files) {
        listed.append(file.source.url);
    }
    return listed;
}

QStringList paths(const std::optional<PDFFile>& file)
{
    return file ? QStringList{file->source.url} : QStringList{};
}

} // namespace

Relauncher::Relauncher(SingleInstance& instance, Store& store, std::function<bool()> allowQuit,
                       QString program)
    : m_instance(instance), m_store(store), m_allowQuit(std::move(allowQuit)),
      m_program(std::move(program))
{
}

Relauncher::Outcome Relauncher::relaunch()
{
    if (m_allowQuit && !m_allowQuit()) {
        return Outcome::stayed;
    }
    // The channel is given up first, so the new process listens rather than handing itself
    // back to this one; if it cannot be started, this one listens again.
    const bool listened = m_instance.isListening();
    m_instance.close();
    QProcess next;
    next.setProgram(m_program);
    next.setArguments(toolArguments(openFiles(m_store)));
    if (!next.startDetached()) {
        if (listened) {
            m_instance.listen();
        }
        return Outcome::failed;
    }
    QCoreApplication::quit();
    return Outcome::started;
}

QList<ToolFiles> Relauncher::openFiles(const Store& store)
{
    return {{AppSection::merge, paths(store.mergeFiles())},
            {AppSection::split, paths(store.splitFile())},
            {AppSection::compress, paths(store.compressFiles())},
            {AppSection::sign, paths(store.signFile())},
            {AppSection::pages, paths(store.pagesFile())}};
}

void Relauncher::takeOver(Store& store, const QList<ToolFiles>& tools)
{
    if (tools.isEmpty()) {
        return;
    }
    QMetaObject::invokeMethod(
        &store,
        [&store, tools] {
            for (const ToolFiles& tool : tools) {
                store.addFiles(tool.files, tool.section);
            }
        },
        Qt::QueuedConnection);
}
