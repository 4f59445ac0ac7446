#include "update/Updater.h"

#include <QCoreApplication>
#include <algorithm>

Updater::Updater(std::unique_ptr<UpdateBackend> backend, QObject* parent) : QObject(parent)
{
    if (!backend) {
        return;
    }
    const QString failure = backend->start(*this);
    if (!failure.isEmpty()) {
        setPhase(Phase::failed(failure));
        return;
    }
    m_updater = std::move(backend);
    connect(m_updater.get(), &UpdateBackend::canCheckForUpdatesChanged, this,
            &Updater::setCanCheck);
    m_canCheck = m_updater->canCheckForUpdates();
    // Read, not written back: the machinery already holds this value.
    m_automatic = m_updater->automaticallyChecksForUpdates();
}

Updater::~Updater()
{
    // The machinery goes after this object's own fields; it has nothing more to report.
    if (m_updater) {
        disconnect(m_updater.get(), nullptr, this, nullptr);
    }
}

void Updater::setAutomatic(bool on)
{
    if (on == m_automatic) {
        return;
    }
    m_automatic = on;
    if (m_updater && m_updater->automaticallyChecksForUpdates() != on) {
        m_updater->setAutomaticallyChecksForUpdates(on);
    }
    emit changed();
}

void Updater::later()
{
    if (Reply reply = std::exchange(m_updateReply, nullptr)) {
        reply(UpdateChoice::dismiss);
    }
    setPhase(Phase::idle());
}

void Updater::cancelDownload()
{
    if (Cancel cancel = std::exchange(m_cancel, nullptr)) {
        cancel();
    }
    setPhase(Phase::idle());
}

void Updater::install()
{
    // The phase follows from the reports the answer sets off.
    if (Reply reply = std::exchange(m_updateReply, nullptr)) {
        reply(UpdateChoice::install);
    }
}

void Updater::checkNow()
{
    if (m_updater) {
        m_updater->checkForUpdates();
    }
}

bool Updater::allowsAutomaticChecks()
{
    return true;
}

void Updater::userCheckStarted(Cancel cancel)
{
    m_cancel = std::move(cancel);
    setPhase(Phase::of(Phase::Kind::checking));
}

void Updater::updateFound(const QString& displayVersion, Reply reply)
{
    m_updateReply = std::move(reply);
    setPhase(Phase::available(displayVersion));
}

void Updater::noUpdateFound()
{
    setPhase(Phase::of(Phase::Kind::upToDate));
}

void Updater::updateFailed(const QString& message)
{
    setPhase(Phase::failed(message));
}

void Updater::downloadStarted(Cancel cancel)
{
    m_cancel = std::move(cancel);
    m_expected = 0;
    m_received = 0;
    setPhase(Phase::downloading(std::nullopt));
}

void Updater::downloadLengthKnown(quint64 length)
{
    m_expected = length;
}

void Updater::downloadReceived(quint64 length)
{
    m_received += length;
    std::optional<double> fraction;
    if (m_expected != 0) {
        // A server that sends more than it announced shows a full bar, never more.
        fraction = std::min(static_cast<double>(m_received) / static_cast<double>(m_expected), 1.0);
    }
    setPhase(Phase::downloading(fraction));
}

void Updater::signatureCheckStarted()
{
    m_cancel = nullptr;
    setPhase(Phase::of(Phase::Kind::preparing));
}

void Updater::packageVerified(Reply reply)
{
    setPhase(Phase::of(Phase::Kind::installing));
    // Installed without a second question: the user already chose to update.
    reply(UpdateChoice::install);
}

void Updater::installStarted()
{
    setPhase(Phase::of(Phase::Kind::installing));
}

void Updater::installProgressed(std::optional<double> fraction)
{
    setPhase(Phase::installing(fraction));
}

void Updater::reopenNeeded(const QString& message)
{
    setPhase(Phase::reopen(message));
}

void Updater::sessionEnded()
{
    m_updateReply = nullptr;
    m_cancel = nullptr;
    // A result the user may not have read yet stays on screen.
    if (m_phase.kind != Phase::Kind::upToDate && m_phase.kind != Phase::Kind::failed &&
        m_phase.kind != Phase::Kind::reopen) {
        setPhase(Phase::idle());
    }
}

void Updater::setPhase(const Phase& phase)
{
    if (phase == m_phase) {
        return;
    }
    m_phase = phase;
    emit changed();
}

void Updater::setCanCheck(bool can)
{
    if (can == m_canCheck) {
        return;
    }
    m_canCheck = can;
    emit changed();
}
