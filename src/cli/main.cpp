#include "AppLanguage.h"
#include "CommandLine.h"
#include "Runner.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Leaflow"));
    QCoreApplication::setApplicationName(QStringLiteral("Leaflow"));
    AppLanguages::installTranslator(app);

    const auto parsed = CommandLine::parse(QCoreApplication::arguments().mid(1));
    if (const auto* error = std::get_if<CommandLine::UsageError>(&parsed)) {
        std::cerr << "leaflow-cli: " << error->message.toStdString() << '\n'
                  << CommandLine::usage().toStdString();
        return 2;
    }
    const auto& invocation = std::get<CommandLine::Invocation>(parsed);
    return runCommand(invocation.command, invocation.limits);
}
