// leaflow-release-sign: makes the key pair updates are signed with, and signs a built package,
// printing the feed item that announces it. Used by scripts/release; never installed.

#include "Appcast.h"
#include "PackageSignature.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString keyName = QStringLiteral("leaflow-update.key");

int usage()
{
    QTextStream(stderr) << "usage: leaflow-release-sign --generate-key DIR\n"
                           "       leaflow-release-sign --key FILE --url URL --version VERSION "
                           "[--display-version TEXT] PACKAGE\n";
    return 2;
}

int fail(const QString& message)
{
    QTextStream(stderr) << "leaflow-release-sign: " << message << '\n';
    return 1;
}

// The secret key file is made readable by its owner only, and never replaces another key.
int generateKey(const QString& folder)
{
    const auto pair = PackageSignature::generateKeyPair();
    if (!pair || !QDir().mkpath(folder)) {
        return fail(QStringLiteral("cannot make a key in %1").arg(folder));
    }
    QFile secret(QDir(folder).filePath(keyName));
    if (!secret.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        return fail(QStringLiteral("cannot write %1 (an existing key is never replaced)")
                        .arg(secret.fileName()));
    }
    if (secret.write(pair->second.toBase64() + '\n') < 0 || !secret.flush()) {
        secret.remove();
        return fail(QStringLiteral("cannot write %1").arg(secret.fileName()));
    }
    QTextStream out(stdout);
    out << "secret key: " << secret.fileName() << '\n'
        << "public key: " << pair->first.toBase64() << '\n';
    return 0;
}

int sign(const QString& keyFile, const QString& package, AppcastItem item)
{
    QFile key(keyFile);
    if (!key.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read the key %1").arg(keyFile));
    }
    const auto secret = QByteArray::fromBase64Encoding(key.readAll().trimmed(),
                                                       QByteArray::AbortOnBase64DecodingErrors);
    const auto signature = secret ? PackageSignature::signFile(package, secret.decoded)
                                  : std::nullopt;
    if (!signature) {
        return fail(QStringLiteral("cannot sign %1 with %2").arg(package, keyFile));
    }
    item.signature = *signature;
    item.length = static_cast<quint64>(QFileInfo(package).size());
    if (item.displayVersion.isEmpty()) {
        item.displayVersion = item.version;
    }
    QTextStream(stdout) << Appcast::itemXml(item) << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--generate-key")) {
        return generateKey(args[1]);
    }
    QString keyFile;
    AppcastItem item;
    while (args.size() >= 2 && args[0].startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        const QString value = args.takeFirst();
        if (option == QLatin1String("--key")) {
            keyFile = value;
        } else if (option == QLatin1String("--url")) {
            item.url = QUrl(value);
        } else if (option == QLatin1String("--version")) {
            item.version = value;
        } else if (option == QLatin1String("--display-version")) {
            item.displayVersion = value;
        } else {
            return usage();
        }
    }
    if (args.size() != 1 || keyFile.isEmpty() || !item.url.isValid() || item.version.isEmpty()) {
        return usage();
    }
    return sign(keyFile, args[0], item);
}
