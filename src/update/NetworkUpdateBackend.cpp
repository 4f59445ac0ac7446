#include "update/NetworkUpdateBackend.h"

#include "core/Settings.h"
#include "update/PackageSignature.h"
#include "update/UpdateAddress.h"
#include "update/UpdateText.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTimer>

namespace {

constexpr int transferTimeoutMs = 60 * 1000;
constexpr int maximumRedirects = 5;

} // namespace

bool UpdateSeams::openWithDesktop(const QString& package)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(package));
}

NetworkUpdateBackend::NetworkUpdateBackend(UpdateSource source, UpdateSeams seams, QObject* parent)
    : UpdateBackend(parent), m_source(std::move(source)), m_seams(std::move(seams)),
      m_network(new QNetworkAccessManager(this)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::VeryCoarseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_stage == Stage::idle && automaticallyChecksForUpdates()) {
            fetchFeed(false);
        }
    });
}

NetworkUpdateBackend::~NetworkUpdateBackend()
{
    // Nobody is told any more; only the partial download goes.
    blockSignals(true);
    stop();
}

QString NetworkUpdateBackend::start(UpdateDriver& driver)
{
    const auto key = PackageSignature::publicKey(m_source.publicKey);
    if (!key) {
        return UpdateText::keyInvalid();
    }
    // Refused before any connection is made.
    if (!UpdateAddress::allowed(m_source.feed)) {
        return UpdateText::addressRefused();
    }
    m_key = *key;
    m_driver = &driver;
    if (!Settings::automaticUpdateChecks.stored()) {
        Settings::automaticUpdateChecks.set(driver.allowsAutomaticChecks());
    }
    schedule();
    return {};
}

void NetworkUpdateBackend::checkForUpdates()
{
    if (m_driver == nullptr || m_stage != Stage::idle) {
        return;
    }
    m_driver->userCheckStarted([this] { stop(); });
    fetchFeed(true);
}

bool NetworkUpdateBackend::canCheckForUpdates() const
{
    return m_driver != nullptr && m_stage == Stage::idle;
}

bool NetworkUpdateBackend::automaticallyChecksForUpdates() const
{
    return Settings::automaticUpdateChecks.value();
}

void NetworkUpdateBackend::setAutomaticallyChecksForUpdates(bool on)
{
    Settings::automaticUpdateChecks.set(on);
    schedule();
}

std::optional<std::chrono::milliseconds> NetworkUpdateBackend::nextAutomaticCheck() const
{
    if (!automaticallyChecksForUpdates()) {
        return std::nullopt;
    }
    const QDateTime last = Settings::lastUpdateCheck.value();
    const std::chrono::milliseconds interval = checkInterval;
    if (!last.isValid()) {
        return std::chrono::milliseconds{0};
    }
    // A clock set back is no reason to wait longer than one interval.
    const std::chrono::milliseconds since{last.msecsTo(m_seams.clock())};
    return std::clamp(interval - since, std::chrono::milliseconds{0}, interval);
}

QNetworkReply* NetworkUpdateBackend::get(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(maximumRedirects);
    request.setTransferTimeout(transferTimeoutMs);
    QNetworkReply* reply = m_network->get(request);
    connect(reply, &QNetworkReply::redirected, this, [this, reply, url](const QUrl& to) {
        if (!UpdateAddress::redirectAllowed(url, url.resolved(to))) {
            fail(UpdateText::redirectRefused());
            return;
        }
        emit reply->redirectAllowed();
    });
    return reply;
}

void NetworkUpdateBackend::fetchFeed(bool userInitiated)
{
    m_userInitiated = userInitiated;
    m_feed.clear();
    // Counted when it starts, so a check that fails in any way waits for the next day too.
    Settings::lastUpdateCheck.set(m_seams.clock());
    setStage(Stage::checking);
    m_reply = get(m_source.feed);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        if (m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > feedLimit) {
            fail(UpdateText::feedTooLarge());
        }
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &NetworkUpdateBackend::feedData);
    connect(m_reply, &QNetworkReply::finished, this, &NetworkUpdateBackend::feedArrived);
}

void NetworkUpdateBackend::feedData()
{
    m_feed += m_reply->readAll();
    if (m_feed.size() > feedLimit) {
        fail(UpdateText::feedTooLarge());
    }
}

void NetworkUpdateBackend::feedArrived()
{
    if (const auto failure = replyFailure()) {
        fail(*failure);
        return;
    }
    feedData();
    if (m_stage != Stage::checking) {
        return;
    }
    release();
    const Appcast::Parsed parsed = Appcast::parse(m_feed);
    if (!parsed.error.isEmpty()) {
        fail(UpdateText::feedUnreadable());
        return;
    }
    m_item = Appcast::newest(parsed.items, m_source.currentVersion);
    if (!m_item) {
        const bool report = m_userInitiated;
        setStage(Stage::idle);
        if (report) {
            m_driver->noUpdateFound();
            m_driver->sessionEnded();
        }
        return;
    }
    m_item->url = m_source.feed.resolved(m_item->url);
    setStage(Stage::answering);
    m_driver->updateFound(m_item->displayVersion, [this, session = m_session](UpdateChoice choice) {
        answer(session, choice);
    });
}

void NetworkUpdateBackend::answer(quint64 session, UpdateChoice choice)
{
    if (session != m_session || m_stage != Stage::answering) {
        return;
    }
    if (choice == UpdateChoice::install) {
        download();
    } else {
        setStage(Stage::idle);
    }
}

void NetworkUpdateBackend::download()
{
    setStage(Stage::downloading);
    m_userInitiated = true; // the user chose to install: whatever follows is reported
    if (!UpdateAddress::allowed(m_item->url)) {
        fail(UpdateText::addressRefused());
        return;
    }
    QDir().mkpath(m_source.cacheFolder);
    m_package = std::make_unique<QFile>(packagePath() + QStringLiteral(".part"));
    if (!m_package->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(UpdateText::saveFailed());
        return;
    }
    m_received = 0;
    m_driver->downloadStarted([this] { stop(); });
    if (m_item->length > 0) {
        m_driver->downloadLengthKnown(m_item->length);
    }
    m_reply = get(m_item->url);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const qint64 length = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (m_item->length == 0 && length > 0) {
            m_driver->downloadLengthKnown(static_cast<quint64>(length));
        }
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &NetworkUpdateBackend::packageData);
    connect(m_reply, &QNetworkReply::finished, this, &NetworkUpdateBackend::packageArrived);
}

void NetworkUpdateBackend::packageData()
{
    const QByteArray chunk = m_reply->readAll();
    if (chunk.isEmpty()) {
        return;
    }
    m_received += static_cast<quint64>(chunk.size());
    m_driver->downloadReceived(static_cast<quint64>(chunk.size()));
    // More than announced is stopped at once rather than written to the disk.
    if (m_received > (m_item->length > 0 ? m_item->length : unannouncedLimit)) {
        fail(UpdateText::wrongLength());
        return;
    }
    if (m_package->write(chunk) != chunk.size()) {
        fail(UpdateText::saveFailed());
    }
}

void NetworkUpdateBackend::packageArrived()
{
    if (const auto failure = replyFailure()) {
        fail(*failure);
        return;
    }
    packageData();
    if (m_stage != Stage::downloading) {
        return;
    }
    release();
    if (!m_package->flush()) {
        fail(UpdateText::saveFailed());
        return;
    }
    m_package->close();
    if (m_item->length > 0 && m_received != m_item->length) {
        fail(UpdateText::wrongLength());
        return;
    }
    m_driver->signatureCheckStarted();
    if (!PackageSignature::verifyFile(m_package->fileName(), m_item->signature, m_key)) {
        fail(UpdateText::signatureInvalid());
        return;
    }
    QFile::remove(packagePath());
    if (!m_package->rename(packagePath())) {
        fail(UpdateText::saveFailed());
        return;
    }
    m_package.reset();
    setStage(Stage::installing);
    m_driver->packageVerified(
        [this, session = m_session](UpdateChoice choice) { install(session, choice); });
}

void NetworkUpdateBackend::install(quint64 session, UpdateChoice choice)
{
    if (session != m_session || m_stage != Stage::installing) {
        return;
    }
    if (choice != UpdateChoice::install) {
        setStage(Stage::idle);
        return;
    }
    m_driver->installStarted();
    delete m_installer;
    m_installer = new PackageInstaller(m_seams.bus(), m_seams.open, this);
    m_installer->install(
        packagePath(),
        [this](std::optional<double> fraction) { m_driver->installProgressed(fraction); },
        [this](const PackageInstaller::Outcome& outcome) { installed(outcome); });
}

void NetworkUpdateBackend::installed(const PackageInstaller::Outcome& outcome)
{
    using Kind = PackageInstaller::Outcome::Kind;
    // The desktop's installer still needs the package; anything else is done with it.
    if (outcome.kind != Kind::openedElsewhere) {
        QFile::remove(packagePath());
    }
    switch (outcome.kind) {
    case Kind::installed:
        // Asked from the event loop: the relaunch may ask about a run in progress first.
        QTimer::singleShot(0, this, &NetworkUpdateBackend::relaunch);
        break;
    case Kind::openedElsewhere: needsReopen(UpdateText::openedInInstaller()); break;
    case Kind::notOpened: fail(UpdateText::openFailed()); break;
    case Kind::refused: fail(UpdateText::installRefused()); break;
    case Kind::failed: fail(UpdateText::installFailed(outcome.details)); break;
    }
}

void NetworkUpdateBackend::relaunch()
{
    if (!m_seams.relaunch()) {
        needsReopen(UpdateText::installedNotReopened());
    }
}

void NetworkUpdateBackend::needsReopen(const QString& message)
{
    stop();
    m_driver->reopenNeeded(message);
    m_driver->sessionEnded();
}

std::optional<QString> NetworkUpdateBackend::replyFailure() const
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        return UpdateText::serverError(status);
    }
    if (m_reply->error() != QNetworkReply::NoError) {
        return UpdateText::unreachable();
    }
    return std::nullopt;
}

void NetworkUpdateBackend::fail(const QString& message)
{
    const bool report = m_userInitiated;
    stop();
    // A check of its own that fails stays quiet; the next one tries again.
    if (report) {
        m_driver->updateFailed(message);
        m_driver->sessionEnded();
    }
}

void NetworkUpdateBackend::release()
{
    if (QNetworkReply* reply = m_reply) {
        m_reply.clear();
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
        reply->deleteLater();
    }
}

void NetworkUpdateBackend::stop()
{
    release();
    if (m_package) {
        m_package->remove();
        m_package.reset();
    }
    m_userInitiated = false;
    if (m_stage != Stage::idle) {
        setStage(Stage::idle);
    }
}

void NetworkUpdateBackend::setStage(Stage stage)
{
    const bool could = canCheckForUpdates();
    m_stage = stage;
    if (stage == Stage::idle) {
        ++m_session;
        m_item.reset();
        schedule();
    }
    if (could != canCheckForUpdates()) {
        emit canCheckForUpdatesChanged(!could);
    }
}

void NetworkUpdateBackend::schedule()
{
    m_timer->stop();
    if (const auto due = nextAutomaticCheck(); due && m_driver != nullptr) {
        m_timer->start(*due);
    }
}

QString NetworkUpdateBackend::packagePath() const
{
    // The server's file name keeps the type the desktop's installer recognises; anything
    // that could leave the folder or confuse a shell is replaced.
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._+-]"));
    QString name = QFileInfo(m_item->url.path()).fileName().replace(unsafe, QStringLiteral("_"));
    if (name.isEmpty() || name.startsWith(QLatin1Char('.'))) {
        name = QStringLiteral("leaflow-update.deb");
    }
    return QDir(m_source.cacheFolder).filePath(name);
}
