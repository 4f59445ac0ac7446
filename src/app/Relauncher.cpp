#include "app/Relauncher.h"

#include "app/SingleInstance.h"
#include "store/Store.h"
#include "store/ToolModel.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

QStringList paths(const QList<PDFFile>& files)
{
    QStringList listed;
    for (const PDFFile& file : files) {
        listed.append(file.source.path);
    }
    return listed;
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
    QList<ToolFiles> open;
    for (const ToolModel* tool : store.tools()) {
        open.append({tool->key(), paths(tool->inputs())});
    }
    return open;
}

void Relauncher::takeOver(Store& store, const QList<ToolFiles>& tools)
{
    if (tools.isEmpty()) {
        return;
    }
    QMetaObject::invokeMethod(
        &store,
        [&store, tools] {
            for (const ToolFiles& files : tools) {
                // A tool this version does not have leaves its files unopened.
                if (ToolModel* tool = store.tool(files.tool)) {
                    store.addFiles(files.files, *tool);
                }
            }
        },
        Qt::QueuedConnection);
}
