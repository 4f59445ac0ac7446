// The application as AppTest launches it: the normal start, telling a test that drives several
// processes what it needs to see. It prints the channel it listens on, its language and process,
// each tool's inputs whenever they change, the start of each probe, the first thumbnail and every
// handed-over path. With LEAFLOW_TEST_RELAUNCH naming a file, a hand-over makes it relaunch
// instead, and the new process prints into that file.
#include "app/AppStart.h"
#include "app/Relauncher.h"
#include "app/SingleInstance.h"
#include "core/AppLanguage.h"
#include "store/Store.h"
#include "store/ToolModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <utility>

namespace {

const char* const relaunchVariable = "LEAFLOW_TEST_RELAUNCH";
const char* const echoFileVariable = "LEAFLOW_TEST_ECHO_FILE";

void echo(const QString& line)
{
    QTextStream(stdout) << line << Qt::endl;
}

QString names(const QList<PDFFile>& files)
{
    QStringList listed;
    for (const PDFFile& file : files) {
        listed.append(QFileInfo(file.source.path).fileName());
    }
    return listed.join(u',');
}

void echoStore(const Store& store)
{
    QObject::connect(&store, &Store::changed, &store, [&store, last = QString()]() mutable {
        QStringList each;
        for (const ToolModel* tool : store.tools()) {
            each.append(tool->key() + u'=' + names(tool->inputs()));
        }
        const QString inputs = QStringLiteral("inputs: ") + each.join(u' ');
        if (inputs != last) {
            last = inputs;
            echo(inputs);
        }
    });
    QObject::connect(&store, &Store::probingChanged, &store, [&store] {
        if (store.isProbing()) {
            echo(QStringLiteral("probing"));
        }
    });
    QObject::connect(&store, &Store::thumbnailReady, &store, [first = true]() mutable {
        if (std::exchange(first, false)) {
            echo(QStringLiteral("thumbnail"));
        }
    });
}

void watch(const AppStart::Running& running)
{
    if (running.instance.isListening()) {
        echo(QStringLiteral("listening: ") + running.instance.name());
    }
    echo(QStringLiteral("language: %1, process %2")
             .arg(AppLanguages::rawValue(AppLanguages::current()))
             .arg(QCoreApplication::applicationPid()));
    echoStore(running.store);
    Relauncher& relauncher = running.relauncher;
    QObject::connect(&running.instance, &SingleInstance::received, &running.store,
                     [&relauncher](const QStringList& paths) {
                         for (const QString& path : paths) {
                             echo(QStringLiteral("received: ") + path);
                         }
                         if (qEnvironmentVariableIsSet(relaunchVariable)) {
                             // The new process inherits this environment: it prints into the
                             // file, there already for the test to read, and answers the next
                             // hand-over as usual.
                             QFile(qEnvironmentVariable(relaunchVariable)).open(QIODevice::Append);
                             qputenv(echoFileVariable, qgetenv(relaunchVariable));
                             qunsetenv(relaunchVariable);
                             relauncher.relaunch();
                         }
                     });
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(echoFileVariable)) {
        // Both channels leave the test's pipes, which close with the process that relaunched.
        if (!std::freopen(qgetenv(echoFileVariable).constData(), "a", stdout) ||
            !std::freopen("/dev/null", "w", stderr)) {
            return 1;
        }
    }
    return AppStart::run(argc, argv, watch);
}
