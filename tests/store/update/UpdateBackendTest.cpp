#include "NetworkUpdateBackend.h"
#include "PackageSignature.h"
#include "UpdateText.h"
#include "Updater.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <sodium.h>

namespace {

using Phase = Updater::Phase;
using Kind = Phase::Kind;

// What the loopback server answers for one path.
struct Route {
    int status = 200;
    QByteArray body;
    bool announced = true; // sends a Content-Length
    QByteArray location;
    bool stalls = false; // sends half the body and never finishes
};

// A small HTTP server on 127.0.0.1, so the backend fetches over real sockets.
class LoopbackServer : public QTcpServer {
public:
    QHash<QByteArray, Route> routes;

    LoopbackServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            }
        });
    }
    QByteArray url(const QByteArray& path) const
    {
        return "http://127.0.0.1:" + QByteArray::number(serverPort()) + path;
    }

private:
    void answer(QTcpSocket* socket)
    {
        QByteArray& request = m_requests[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        const Route route =
            routes.value(request.split(' ').value(1), Route{404, {}, true, {}, false});
        QByteArray head =
            "HTTP/1.1 " + QByteArray::number(route.status) + " X\r\nConnection: close\r\n";
        if (!route.location.isEmpty()) {
            head += "Location: " + route.location + "\r\n";
        }
        if (route.announced) {
            head += "Content-Length: " + QByteArray::number(route.body.size()) + "\r\n";
        }
        socket->write(head + "\r\n" +
                      (route.stalls ? route.body.left(route.body.size() / 2) : route.body));
        if (!route.stalls) {
            socket->disconnectFromHost();
        }
    }
    QHash<QTcpSocket*, QByteArray> m_requests;
};

QByteArray feed(const QByteArray& items)
{
    return "<?xml version=\"1.0\"?><rss version=\"2.0\" xmlns:sparkle=\"" +
           QByteArray(Appcast::sparkleNamespace) + "\"><channel><title>Leaflow</title>" + items +
           "</channel></rss>";
}

QByteArray item(const QByteArray& version, const QByteArray& url, qint64 length = -1,
                const QByteArray& signature = {})
{
    return "<item><sparkle:version>" + version + "</sparkle:version><enclosure url=\"" + url +
           "\"" + (length >= 0 ? " length=\"" + QByteArray::number(length) + "\"" : QByteArray()) +
           " sparkle:edSignature=\"" + signature + "\"/></item>";
}

} // namespace

Q_DECLARE_METATYPE(Phase)
Q_DECLARE_METATYPE(Route)

// The feed and download machinery against a server of the test's own on loopback, with the
// desktop's installer and the quit replaced: what is offered, what is refused, and that only a
// package of the announced length with a good signature is ever opened.
class UpdateBackendTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    std::unique_ptr<LoopbackServer> m_server;
    QByteArray m_publicKey = QByteArray(crypto_sign_PUBLICKEYBYTES, '\0');
    QByteArray m_secretKey = QByteArray(crypto_sign_SECRETKEYBYTES, '\0');
    const QDateTime m_now = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
    NetworkUpdateBackend* m_backend = nullptr;
    std::unique_ptr<Updater> m_updater;
    QStringList m_opened;
    QByteArray m_openedBytes;
    int m_quits = 0;

    QString cache() const { return m_home.filePath(QStringLiteral("cache")); }
    QByteArray signature(const QByteArray& bytes) const
    {
        QByteArray signed_(crypto_sign_BYTES, '\0');
        crypto_sign_detached(reinterpret_cast<unsigned char*>(signed_.data()), nullptr,
                             reinterpret_cast<const unsigned char*>(bytes.constData()),
                             static_cast<unsigned long long>(bytes.size()),
                             reinterpret_cast<const unsigned char*>(m_secretKey.constData()));
        return signed_.toBase64();
    }
    Updater& started(const QUrl& feedUrl)
    {
        UpdateSeams seams;
        seams.clock = [this] { return m_now; };
        seams.open = [this](const QString& package) {
            QFile file(package);
            m_openedBytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            m_opened.append(package);
            return true;
        };
        seams.quit = [this] { ++m_quits; };
        auto backend = std::make_unique<NetworkUpdateBackend>(
            UpdateSource{feedUrl, QString::fromLatin1(m_publicKey.toBase64()),
                         QStringLiteral("1.0"), cache()},
            seams);
        m_backend = backend.get();
        m_updater = std::make_unique<Updater>(std::move(backend));
        return *m_updater;
    }
    Phase checked(const Route& feedRoute)
    {
        m_server->routes[QByteArrayLiteral("/feed")] = feedRoute;
        Updater& updater = started(QUrl(QString::fromLatin1(m_server->url("/feed"))));
        updater.checkNow();
        [&] { QTRY_VERIFY(updater.phase().kind != Kind::checking); }();
        return updater.phase();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(sodium_init() >= 0);
        crypto_sign_keypair(reinterpret_cast<unsigned char*>(m_publicKey.data()),
                            reinterpret_cast<unsigned char*>(m_secretKey.data()));
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
        m_server = std::make_unique<LoopbackServer>();
        QVERIFY(m_server->isListening());
    }
    void init()
    {
        QSettings().clear();
        QDir(cache()).removeRecursively();
        m_opened.clear();
        m_openedBytes.clear();
        m_quits = 0;
    }
    void cleanup() { m_updater.reset(); }

    void check_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<Phase>("phase");
        const QByteArray pkg = m_server->url("/p.deb");
        QTest::newRow("newer found")
            << Route{200,
                     feed(item("0.9", pkg) + item("1.10", pkg) + item("1.9", pkg)),
                     true,
                     {},
                     false}
            << Phase::available(QStringLiteral("1.10"));
        QTest::newRow("up to date")
            << Route{200, feed(item("1.0.0", pkg) + item("1", pkg)), true, {}, false}
            << Phase::of(Kind::upToDate);
        QTest::newRow("newer item for a lower version")
            << Route{200, feed(item("0.99", pkg)), true, {}, false} << Phase::of(Kind::upToDate);
        QTest::newRow("malformed") << Route{200, "<rss><channel><item>", true, {}, false}
                                   << Phase::failed(UpdateText::feedUnreadable());
        QTest::newRow("404") << Route{404, {}, true, {}, false}
                             << Phase::failed(UpdateText::serverError(404));
        QTest::newRow("over 1 MB")
            << Route{200, feed(QByteArray(NetworkUpdateBackend::feedLimit, ' ')), false, {}, false}
            << Phase::failed(UpdateText::feedTooLarge());
        QTest::newRow("redirect to another scheme")
            << Route{302, {}, true, "https://127.0.0.1:1/feed", false}
            << Phase::failed(UpdateText::redirectRefused());
        m_server->routes[QByteArrayLiteral("/moved")] =
            Route{200, feed(item("2", pkg)), true, {}, false};
        QTest::newRow("redirect on the same scheme")
            << Route{301, {}, true, m_server->url("/moved"), false}
            << Phase::available(QStringLiteral("2"));
    }
    void check()
    {
        QFETCH(Route, route);
        QFETCH(Phase, phase);
        QCOMPARE(checked(route), phase);
        // Another check waits until a found update is answered.
        QCOMPARE(m_updater->canCheck(), phase.kind != Kind::available);
    }

    void download_data()
    {
        QTest::addColumn<qint64>("length"); // -1: none in the feed
        QTest::addColumn<QByteArray>("signedBytes");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<Phase>("phase");
        const QByteArray bytes = QByteArray("!<arch>\n").repeated(40000);
        QTest::newRow("signed") << qint64(bytes.size()) << bytes << true
                                << Phase::of(Kind::installing);
        QTest::newRow("unknown length")
            << qint64{-1} << bytes << false << Phase::of(Kind::installing);
        QTest::newRow("wrong signature") << qint64(bytes.size()) << bytes.left(10) << true
                                         << Phase::failed(UpdateText::signatureInvalid());
        QTest::newRow("right signature, wrong length") << qint64(bytes.size() + 1) << bytes << true
                                                       << Phase::failed(UpdateText::wrongLength());
        QTest::newRow("more than announced") << qint64(bytes.size() - 100) << bytes << false
                                             << Phase::failed(UpdateText::wrongLength());
    }
    void download()
    {
        QFETCH(qint64, length);
        QFETCH(QByteArray, signedBytes);
        QFETCH(bool, announced);
        QFETCH(Phase, phase);
        const QByteArray bytes = QByteArray("!<arch>\n").repeated(40000);
        m_server->routes[QByteArrayLiteral("/p.deb")] = Route{200, bytes, announced, {}, false};
        QVERIFY(checked(Route{200,
                              feed(item("1.1", m_server->url("/p.deb"), length,
                                        signature(signedBytes))),
                              true,
                              {},
                              false})
                    .kind == Kind::available);
        QList<std::optional<double>> fractions;
        connect(m_updater.get(), &Updater::changed, this, [&] {
            if (m_updater->phase().kind == Kind::downloading) {
                fractions.append(m_updater->phase().fraction);
            }
        });
        m_updater->install();
        QTRY_VERIFY(m_updater->phase().kind == Kind::installing ||
                    m_updater->phase().kind == Kind::failed);
        QCOMPARE(m_updater->phase(), phase);
        const bool installed = phase.kind == Kind::installing;
        QCOMPARE(m_opened, installed ? QStringList{QDir(cache()).filePath(QStringLiteral("p.deb"))}
                                     : QStringList{});
        QCOMPARE(m_openedBytes, installed ? bytes : QByteArray());
        QCOMPARE(m_quits, installed ? 1 : 0);
        QCOMPARE(QDir(cache()).entryList(QDir::Files),
                 installed ? QStringList{QStringLiteral("p.deb")} : QStringList{});
        // The first report comes before any length is known; an unknown one never shows a fraction.
        QVERIFY(!fractions.isEmpty() && !fractions.first());
        for (const auto& fraction : fractions.mid(1)) {
            QVERIFY(fraction && *fraction <= 1.0);
        }
        const double full = length < 0 ? 0 : std::min(1.0, double(bytes.size()) / double(length));
        QCOMPARE(fractions.last().value_or(0), full);
    }

    void cancelledDownloadLeavesNothing()
    {
        const QByteArray bytes(200000, 'x');
        m_server->routes[QByteArrayLiteral("/p.deb")] = Route{200, bytes, true, {}, true};
        checked(Route{200,
                      feed(item("1.1", m_server->url("/p.deb"), bytes.size(), signature(bytes))),
                      true,
                      {},
                      false});
        m_updater->install();
        QTRY_VERIFY(m_updater->received() > 0);
        QCOMPARE(QDir(cache()).entryList(QDir::Files).size(), 1);
        m_updater->cancelDownload();
        QCOMPARE(m_updater->phase(), Phase::idle());
        QVERIFY(QDir(cache()).entryList(QDir::Files).isEmpty());
        QVERIFY(m_opened.isEmpty());
        QVERIFY(m_updater->canCheck());
    }

    void plainHttpElsewhereIsRefusedBeforeConnecting()
    {
        Updater& updater = started(QUrl(QStringLiteral("http://updates.example.com/feed")));
        QCOMPARE(updater.phase(), Phase::failed(UpdateText::addressRefused()));
        QVERIFY(!updater.updater());
    }

    void dailyChecksAreRemembered()
    {
        started(QUrl(QStringLiteral("https://updates.example.com/feed")));
        QVERIFY(m_updater->automatic()); // on unless the user turns it off
        QCOMPARE(m_backend->nextAutomaticCheck(), std::chrono::milliseconds{0});
        m_updater.reset();
        checked(Route{404, {}, true, {}, false});
        // A later launch waits a day from the check just made, even one that failed.
        started(QUrl(QStringLiteral("https://updates.example.com/feed")));
        QCOMPARE(m_backend->nextAutomaticCheck(),
                 std::chrono::milliseconds(NetworkUpdateBackend::checkInterval));
        m_updater->setAutomatic(false);
        QCOMPARE(m_backend->nextAutomaticCheck(), std::nullopt);
    }

    void releaseScriptSignsWhatTheUpdaterAccepts()
    {
        const QString script =
            qEnvironmentVariable("LEAFLOW_SOURCE_DIR") + QStringLiteral("/scripts/release");
        QProcess release;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LEAFLOW_RELEASE_SIGN"),
                           QStringLiteral(LEAFLOW_RELEASE_SIGN));
        release.setProcessEnvironment(environment);
        const QString keys = m_home.filePath(QStringLiteral("keys"));
        release.start(script, {QStringLiteral("--generate-key"), keys});
        QVERIFY(release.waitForFinished() && release.exitCode() == 0);
        const QByteArray publicKey = release.readAllStandardOutput().split(' ').last().trimmed();
        const QString secret = keys + QStringLiteral("/leaflow-update.key");
        const QFile::Permissions others = QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup |
                                          QFile::WriteOther;
        QCOMPARE(QFile::permissions(secret) & (others | QFile::ReadOwner), QFile::ReadOwner);

        const QString package = m_home.filePath(QStringLiteral("leaflow_1.4_amd64.deb"));
        QFile file(package);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(5000, 'p')) == 5000);
        file.close();
        release.start(script, {QStringLiteral("--key"), secret, QStringLiteral("--url"),
                               QStringLiteral("https://example.com/leaflow_1.4_amd64.deb"),
                               QStringLiteral("--version"), QStringLiteral("1.4"), package});
        QVERIFY(release.waitForFinished() && release.exitCode() == 0);
        const Appcast::Parsed parsed = Appcast::parse(feed(release.readAllStandardOutput()));
        QCOMPARE(parsed.items.size(), 1);
        const AppcastItem printed = parsed.items.first();
        QCOMPARE(printed.version, QStringLiteral("1.4"));
        QCOMPARE(printed.length, quint64{5000});
        const auto key = PackageSignature::publicKey(QString::fromLatin1(publicKey));
        QVERIFY(key && PackageSignature::verifyFile(package, printed.signature, *key));
        QVERIFY(!PackageSignature::verifyFile(package, printed.signature, m_publicKey));
    }
};

QTEST_GUILESS_MAIN(UpdateBackendTest)
#include "UpdateBackendTest.moc"
