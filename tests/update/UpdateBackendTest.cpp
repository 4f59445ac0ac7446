#include "PrivateBus.h"
#include "ScriptedBackend.h"
#include "update/NetworkUpdateBackend.h"
#include "update/UpdateText.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QScopeGuard>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sodium.h>

namespace {

using Kind = Phase::Kind;

// What the loopback server answers for one path.
struct Route {
    QByteArray body = {};
    int status = 200;
    QByteArray location = {};
    bool announced = true; // sends a Content-Length
    bool stalls = false;   // sends half the body and never finishes
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
        const Route route = routes.value(request.split(' ').value(1), Route{{}, 404});
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

// What the stand-in package manager answers an installation with.
enum class Answer { success, refusal, failure };

// PackageKit's transaction on a private bus: records the request, answers with its signals.
class FakeTransaction : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.PackageKit.Transaction")
public:
    static constexpr auto path = "/org/freedesktop/PackageKit/Transaction/1";
    QDBusConnection bus;
    Answer answer = Answer::success;
    QStringList hints;
    QList<QVariantList> installs; // flags and files of each request

    explicit FakeTransaction(QDBusConnection connection) : bus(std::move(connection)) {}

public slots:
    void SetHints(const QStringList& given) { hints = given; }
    void InstallFiles(qulonglong flags, const QStringList& files)
    {
        installs.append({flags, files});
        QTimer::singleShot(0, this, [this] { reply(); });
    }

private:
    void emitSignal(const QString& interface, const QString& name, const QVariantList& arguments)
    {
        QDBusMessage message =
            QDBusMessage::createSignal(QString::fromLatin1(path), interface, name);
        message.setArguments(arguments);
        bus.send(message);
    }
    void reply()
    {
        const QString transaction = QStringLiteral("org.freedesktop.PackageKit.Transaction");
        emitSignal(QStringLiteral("org.freedesktop.DBus.Properties"),
                   QStringLiteral("PropertiesChanged"),
                   {transaction, QVariantMap{{QStringLiteral("Percentage"), 40u}}, QStringList()});
        if (answer == Answer::refusal) {
            emitSignal(transaction, QStringLiteral("ErrorCode"),
                       {PackageInstaller::errorNotAuthorized, QStringLiteral("No permission")});
        } else if (answer == Answer::failure) {
            emitSignal(transaction, QStringLiteral("ErrorCode"),
                       {29u, QStringLiteral("dpkg: dependency problems")});
        }
        emitSignal(transaction, QStringLiteral("Finished"),
                   {answer == Answer::success ? PackageInstaller::exitSuccess : 2u, 120u});
    }
};

class FakePackageKit : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.PackageKit")
public slots:
    QDBusObjectPath CreateTransaction()
    {
        return QDBusObjectPath(QString::fromLatin1(FakeTransaction::path));
    }
};

} // namespace

Q_DECLARE_METATYPE(Route)
Q_DECLARE_METATYPE(Answer)

// Feed, download and install on loopback and a stand-in PackageKit: only signed, whole packages.
class UpdateBackendTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    std::unique_ptr<LoopbackServer> m_server;
    QByteArray m_publicKey = QByteArray(crypto_sign_PUBLICKEYBYTES, '\0');
    QByteArray m_secretKey = QByteArray(crypto_sign_SECRETKEYBYTES, '\0');
    NetworkUpdateBackend* m_backend = nullptr;
    std::unique_ptr<Updater> m_updater;
    QStringList m_opened;
    int m_relaunches = 0;
    bool m_relaunchStarts = true; // what the relaunch answers: the new process runs
    PrivateBus m_bus;             // PackageKit stands in there only where a test registers it

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
        seams.relaunch = [this] { return ++m_relaunches, m_relaunchStarts; };
        seams.bus = [this] { return QDBusConnection::connectToBus(m_bus.address(), "client"); };
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
    // Offers the package, installs and waits for the end, collecting fractions shown in `shown`.
    Phase updated(qint64 length, const QByteArray& signedBytes,
                  QList<std::optional<double>>* fractions = nullptr, Kind shown = Kind::downloading)
    {
        const QByteArray offer =
            item("1.1", m_server->url("/p.deb"), length, signature(signedBytes));
        checked(Route{feed(offer)});
        connect(m_updater.get(), &Updater::changed, this, [this, fractions, shown] {
            // Each value once: a change of canCheck reports the same phase again.
            const auto fraction = m_updater->phase().fraction;
            if (fractions && m_updater->phase().kind == shown &&
                (fractions->isEmpty() || fractions->last() != fraction)) {
                fractions->append(fraction);
            }
        });
        m_updater->install();
        const auto settled = [this] {
            const Kind kind = m_updater->phase().kind;
            return kind == Kind::failed || kind == Kind::reopen ||
                   (kind == Kind::installing && m_relaunches > 0);
        };
        [&] { QTRY_VERIFY(settled()); }();
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
        QVERIFY(m_bus.start());
    }
    void init()
    {
        QSettings().clear();
        QDir(cache()).removeRecursively();
        m_opened.clear();
        m_relaunches = 0;
        m_relaunchStarts = true;
    }
    void cleanup()
    {
        m_updater.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    void check_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<Phase>("phase");
        const QByteArray pkg = m_server->url("/p.deb");
        QTest::newRow("newer found")
            << Route{feed(item("0.9", pkg) + item("1.10", pkg) + item("1.9", pkg))}
            << Phase::available(QStringLiteral("1.10"));
        // The newest item first, but for a lower version; then the same version twice.
        QTest::newRow("up to date")
            << Route{feed(item("0.99", pkg) + item("1.0.0", pkg) + item("1", pkg))}
            << Phase::of(Kind::upToDate);
        QTest::newRow("malformed")
            << Route{"<rss><channel><item>"} << Phase::failed(UpdateText::feedUnreadable());
        QTest::newRow("404") << Route{{}, 404} << Phase::failed(UpdateText::serverError(404));
        QTest::newRow("over 1 MB") << Route{feed(QByteArray(1 << 20, ' ')), 200, {}, false}
                                   << Phase::failed(UpdateText::feedTooLarge());
        QTest::newRow("redirect to https") << Route{{}, 302, "https://127.0.0.1:1/feed"}
                                           << Phase::failed(UpdateText::redirectRefused());
        m_server->routes["/moved"] = Route{feed(item("2", pkg))};
        QTest::newRow("redirect to http")
            << Route{{}, 301, m_server->url("/moved")} << Phase::available(QStringLiteral("2"));
    }
    void check()
    {
        QFETCH(Route, route);
        QFETCH(Phase, phase);
        QCOMPARE(checked(route), phase);
        // Another check waits until a found update is answered.
        QCOMPARE(m_updater->canCheck(), phase.kind != Kind::available);
    }

    // Without PackageKit a verified package goes to the desktop's installer, then "reopen".
    void download_data()
    {
        QTest::addColumn<qint64>("length"); // -1: none in the feed
        QTest::addColumn<QByteArray>("signedBytes");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<Phase>("phase");
        const QByteArray bytes = QByteArray("!<arch>\n").repeated(40000);
        const auto size = qint64(bytes.size());
        const Phase opened = Phase::reopen(UpdateText::openedInInstaller());
        QTest::newRow("signed") << size << bytes << true << opened;
        QTest::newRow("unknown length") << qint64{-1} << bytes << false << opened;
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
        m_server->routes["/p.deb"] = Route{bytes, 200, {}, announced};
        QList<std::optional<double>> fractions;
        QCOMPARE(updated(length, signedBytes, &fractions), phase);
        // Only a verified package stays and is opened.
        const QStringList kept = QDir(cache()).entryList(QDir::Files);
        const bool opened = phase.kind == Kind::reopen;
        QCOMPARE(kept, opened ? QStringList{QStringLiteral("p.deb")} : QStringList{});
        QCOMPARE(m_opened,
                 opened ? QStringList{QDir(cache()).filePath(kept.value(0))} : QStringList{});
        QCOMPARE(m_relaunches, 0);
        QVERIFY(m_updater->canCheck());
        // The first report comes before any length is known; an unknown one never shows a fraction.
        QVERIFY(!fractions.isEmpty() && !fractions.first());
        for (const auto& fraction : fractions.mid(1)) {
            QVERIFY(fraction && *fraction <= 1.0);
        }
        const double full = length < 0 ? 0 : std::min(1.0, double(bytes.size()) / double(length));
        QCOMPARE(fractions.last().value_or(0), full);
    }

    // PackageKit installs with progress, then relaunches (or says reopen); refusals are told.
    void install_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("relaunchStarts");
        QTest::addColumn<Phase>("phase");
        QTest::newRow("installed, relaunched") << Answer::success << true << Phase::installing(0.4);
        QTest::newRow("installed, a run kept going")
            << Answer::success << false << Phase::reopen(UpdateText::installedNotReopened());
        QTest::newRow("refused") << Answer::refusal << true
                                 << Phase::failed(UpdateText::installRefused());
        QTest::newRow("failed") << Answer::failure << true
                                << Phase::failed(UpdateText::installFailed(
                                       QStringLiteral("dpkg: dependency problems")));
    }
    void install()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, relaunchStarts);
        QFETCH(Phase, phase);
        QDBusConnection service =
            QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("packagekit"));
        const auto leave =
            qScopeGuard([] { QDBusConnection::disconnectFromBus(QStringLiteral("packagekit")); });
        FakePackageKit packageKit;
        FakeTransaction transaction(service);
        transaction.answer = answer;
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/PackageKit"), &packageKit,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerObject(QString::fromLatin1(FakeTransaction::path), &transaction,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.PackageKit")));
        m_relaunchStarts = relaunchStarts;

        const QByteArray bytes = QByteArray("!<arch>\n").repeated(1000);
        m_server->routes["/p.deb"] = Route{bytes};
        QList<std::optional<double>> fractions;
        QCOMPARE(updated(bytes.size(), bytes, &fractions, Kind::installing), phase);
        // No flags (trusted by its signature), polkit may ask, nothing left in the cache.
        QCOMPARE(transaction.installs,
                 (QList<QVariantList>{{qulonglong{0}, QStringList{cache() + "/p.deb"}}}));
        QVERIFY(transaction.hints.contains(QStringLiteral("interactive=true")));
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(fractions, (QList<std::optional<double>>{std::nullopt, 0.4}));
        QCOMPARE(m_relaunches, int(answer == Answer::success));
        QCOMPARE(m_updater->canCheck(), phase.kind != Kind::installing);
        QVERIFY(QDir(cache()).entryList(QDir::Files).isEmpty());
    }

    void cancelledDownloadLeavesNothing()
    {
        const QByteArray bytes(200000, 'x');
        m_server->routes["/p.deb"] = Route{bytes, 200, {}, true, true};             // stalls
        checked(Route{feed(item("1.1", "p.deb", bytes.size(), signature(bytes)))}); // relative
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
        checked(Route{{}, 404});
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
