#include "NetworkUpdateBackend.h"
#include "ScriptedBackend.h"
#include "UpdateText.h"

#include <QDir>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <sodium.h>

namespace {

using Kind = Phase::Kind;

// What the loopback server answers for one path.
struct Route {
    Route(QByteArray content = {}, int code = 200, QByteArray to = {}, bool withLength = true)
        : body(std::move(content)), status(code), location(std::move(to)), announced(withLength)
    {
    }
    QByteArray body;
    int status;
    QByteArray location;
    bool announced;      // sends a Content-Length
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
        const Route route = routes.value(request.split(' ').value(1), Route({}, 404));
        QByteArray head = "HTTP/1.1 " + QByteArray::number(route.status) + " X\r\n";
        head += route.location.isEmpty() ? QByteArray() : "Location: " + route.location + "\r\n";
        if (route.announced) {
            head += "Content-Length: " + QByteArray::number(route.body.size()) + "\r\n";
        }
        socket->write(head + "\r\n" + route.body.left(route.body.size() / (route.stalls ? 2 : 1)));
        if (!route.stalls) {
            socket->disconnectFromHost();
        }
    }
    QHash<QTcpSocket*, QByteArray> m_requests;
};

QByteArray feed(const QByteArray& items)
{
    return R"(<?xml version="1.0"?><rss version="2.0" xmlns:sparkle=")" +
           QByteArray(Appcast::sparkleNamespace) + "\"><channel>" + items + "</channel></rss>";
}

QByteArray item(const QByteArray& version, const QByteArray& url, qint64 length = -1,
                const QByteArray& signature = {})
{
    const QByteArray size = length < 0 ? "" : " length=\"" + QByteArray::number(length) + "\"";
    return "<item><sparkle:version>" + version + "</sparkle:version><enclosure url=\"" + url +
           "\"" + size + " sparkle:edSignature=\"" + signature + "\"/></item>";
}

} // namespace

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
    NetworkUpdateBackend* m_backend = nullptr;
    std::unique_ptr<Updater> m_updater;
    QStringList m_opened;
    int m_quits = 0;

    QString cache() const { return m_home.filePath(QStringLiteral("cache")); }
    QByteArray signature(const QByteArray& bytes) const
    {
        QByteArray result(crypto_sign_BYTES, '\0');
        crypto_sign_detached(reinterpret_cast<unsigned char*>(result.data()), nullptr,
                             reinterpret_cast<const unsigned char*>(bytes.constData()),
                             static_cast<unsigned long long>(bytes.size()),
                             reinterpret_cast<const unsigned char*>(m_secretKey.constData()));
        return result.toBase64();
    }
    Updater& started(const QByteArray& feedUrl)
    {
        UpdateSeams seams;
        seams.clock = [] { return QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC); };
        seams.open = [this](const QString& package) { return m_opened.append(package), true; };
        seams.quit = [this] { ++m_quits; };
        const QString key = QString::fromLatin1(m_publicKey.toBase64());
        auto backend = std::make_unique<NetworkUpdateBackend>(
            UpdateSource{QUrl(QString::fromLatin1(feedUrl)), key, QStringLiteral("1.0"), cache()},
            seams);
        m_backend = backend.get();
        m_updater = std::make_unique<Updater>(std::move(backend));
        return *m_updater;
    }
    Phase checked(const Route& feedRoute)
    {
        m_server->routes["/feed"] = feedRoute;
        started(m_server->url("/feed")).checkNow();
        [this] { QTRY_VERIFY(m_updater->phase().kind != Kind::checking); }();
        return m_updater->phase();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(sodium_init() >= 0);
        crypto_sign_keypair(reinterpret_cast<unsigned char*>(m_publicKey.data()),
                            reinterpret_cast<unsigned char*>(m_secretKey.data()));
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
        m_server = std::make_unique<LoopbackServer>();
    }
    void init()
    {
        QSettings().clear();
        QDir(cache()).removeRecursively();
        m_opened.clear();
        m_quits = 0;
    }

    void check_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<Phase>("phase");
        const QByteArray pkg = m_server->url("/p.deb");
        QTest::newRow("newer found")
            << Route(feed(item("0.9", pkg) + item("1.10", pkg) + item("1.9", pkg)))
            << Phase::available(QStringLiteral("1.10"));
        // The newest item first, but for a lower version; then the same version twice.
        QTest::newRow("up to date")
            << Route(feed(item("0.99", pkg) + item("1.0.0", pkg) + item("1", pkg)))
            << Phase::of(Kind::upToDate);
        QTest::newRow("malformed")
            << Route("<rss><channel><item>") << Phase::failed(UpdateText::feedUnreadable());
        QTest::newRow("404") << Route({}, 404) << Phase::failed(UpdateText::serverError(404));
        QTest::newRow("over 1 MB") << Route(feed(QByteArray(1 << 20, ' ')), 200, {}, false)
                                   << Phase::failed(UpdateText::feedTooLarge());
        QTest::newRow("redirect to https") << Route({}, 302, "https://127.0.0.1:1/feed")
                                           << Phase::failed(UpdateText::redirectRefused());
        m_server->routes["/moved"] = Route(feed(item("2", pkg)));
        QTest::newRow("redirect to http")
            << Route({}, 301, m_server->url("/moved")) << Phase::available(QStringLiteral("2"));
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
        const auto size = qint64(bytes.size());
        const Phase installing = Phase::of(Kind::installing);
        QTest::newRow("signed") << size << bytes << true << installing;
        QTest::newRow("unknown length") << qint64{-1} << bytes << false << installing;
        QTest::newRow("wrong signature")
            << size << bytes.left(10) << true << Phase::failed(UpdateText::signatureInvalid());
        QTest::newRow("right signature, wrong length")
            << size + 1 << bytes << true << Phase::failed(UpdateText::wrongLength());
        QTest::newRow("more than announced")
            << size - 100 << bytes << false << Phase::failed(UpdateText::wrongLength());
    }
    void download()
    {
        QFETCH(qint64, length);
        QFETCH(QByteArray, signedBytes);
        QFETCH(bool, announced);
        QFETCH(Phase, phase);
        const QByteArray bytes = QByteArray("!<arch>\n").repeated(40000);
        m_server->routes["/p.deb"] = Route(bytes, 200, {}, announced);
        const QByteArray offer =
            item("1.1", m_server->url("/p.deb"), length, signature(signedBytes));
        QCOMPARE(checked(Route(feed(offer))), Phase::available(QStringLiteral("1.1")));
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
        // Only a verified package stays, and only it is opened.
        const QStringList kept = QDir(cache()).entryList(QDir::Files);
        const bool installed = phase.kind == Kind::installing;
        QCOMPARE(kept, installed ? QStringList{QStringLiteral("p.deb")} : QStringList{});
        QCOMPARE(m_opened,
                 installed ? QStringList{QDir(cache()).filePath(kept.value(0))} : QStringList{});
        QCOMPARE(m_quits, int(installed));
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
        m_server->routes["/p.deb"] = Route(bytes);
        m_server->routes["/p.deb"].stalls = true;
        checked(Route(feed(item("1.1", "p.deb", bytes.size(), signature(bytes))))); // relative
        m_updater->install();
        QTRY_VERIFY(m_updater->received() > 0);
        QCOMPARE(QDir(cache()).entryList(QDir::Files).size(), 1);
        m_updater->cancelDownload();
        QVERIFY(m_updater->phase() == Phase::idle() && m_updater->canCheck());
        QVERIFY(QDir(cache()).entryList(QDir::Files).isEmpty() && m_opened.isEmpty());
    }

    void plainHttpElsewhereIsRefusedBeforeConnecting()
    {
        QCOMPARE(started("http://updates.example.com/feed").phase(),
                 Phase::failed(UpdateText::addressRefused()));
        QVERIFY(!m_updater->updater());
    }

    void dailyChecksAreRemembered()
    {
        started("https://updates.example.com/feed");
        QVERIFY(m_updater->automatic()); // on unless the user turns it off
        QCOMPARE(m_backend->nextAutomaticCheck(), std::chrono::milliseconds{0});
        checked(Route({}, 404));
        // A later launch waits a day from the check just made, even one that failed.
        started("https://updates.example.com/feed");
        QCOMPARE(m_backend->nextAutomaticCheck(),
                 std::chrono::milliseconds(NetworkUpdateBackend::checkInterval));
        m_updater->setAutomatic(false);
        QCOMPARE(m_backend->nextAutomaticCheck(), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(UpdateBackendTest)
#include "UpdateBackendTest.moc"
