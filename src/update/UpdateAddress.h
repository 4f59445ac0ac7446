#pragma once

#include <QUrl>

// Which addresses the updater may fetch from: HTTPS anywhere, plain HTTP only on this computer.
namespace UpdateAddress {

bool allowed(const QUrl& url);
// Where a redirect from `from` may lead: an allowed address of the same scheme.
bool redirectAllowed(const QUrl& from, const QUrl& to);

} // namespace UpdateAddress
