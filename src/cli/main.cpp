#include "cli/CommandLine.h"
#include "cli/Runner.h"
#include "core/AppLanguage.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Leaflow"));
    QCoreApplication::setApplicationName(QStringLiteral("Leaflow"));
    AppLanguages::installTranslator(app);

    const auto parsed = CommandLine::parse(QCoreApplication::arguments().mid(1));
    if (const auto* invocation = std::get_if<CommandLine::Invocation>(&parsed)) {
        return runCommand(invocation->command, invocation->limits);
    }
    std::cerr << "leaflow-cli: "
              << std::get_if<CommandLine::UsageError>(&parsed)->message.toStdString() << '\n'
              << CommandLine::usage().toStdString();
    return 2;
}
