// leaflow-release-sign: makes the key pair updates are signed with, signs a built package,
// printing the feed item that announces it, and checks an item against a package the way the
// updater will. Used by scripts/release; never installed.

#include "update/Appcast.h"
#include "update/PackageSignature.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {

const QString keyName = QStringLiteral("leaflow-update.key");

int usage()
{
    QTextStream(stderr) << "usage: leaflow-release-sign --generate-key DIR\n"
                           "       leaflow-release-sign --key FILE --url URL --version VERSION "
                           "[--display-version TEXT] PACKAGE\n"
                           "       leaflow-release-sign --verify PUBLIC_KEY PACKAGE < ITEM\n";
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

// Reads the item as the updater reads the feed and checks it as the updater checks a download.
int verify(const QString& publicKey, const QString& package)
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read the item"));
    }
    const Appcast::Parsed parsed =
        Appcast::parse("<rss xmlns:sparkle=\"" + QByteArray(Appcast::sparkleNamespace) +
                       "\"><channel>" + input.readAll() + "</channel></rss>");
    const auto key = PackageSignature::publicKey(publicKey);
    if (parsed.items.size() != 1 || !key) {
        return fail(QStringLiteral("expected one item and a public key"));
    }
    const AppcastItem& item = parsed.items.first();
    if (item.length != static_cast<quint64>(QFileInfo(package).size()) ||
        !PackageSignature::verifyFile(package, item.signature, *key)) {
        return fail(QStringLiteral("%1 does not match the item").arg(package));
    }
    QTextStream(stdout) << "verified: " << item.displayVersion << '\n';
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
    if (args.size() == 3 && args[0] == QLatin1String("--verify")) {
        return verify(args[1], args[2]);
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
