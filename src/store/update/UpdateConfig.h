#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The update feed and signing key this copy was built with.
namespace UpdateConfig {

// The feed's address; empty when the build names none.
QUrl feedUrl();
// The base64 public key packages must be signed for; empty when the build names none.
QString publicKey();
// The host the feed is read from, for telling the user; empty without a feed.
QString feedHost();
// Whether this build can update itself at all.
bool configured();
// How the application quits once the installer has the package, so that a run in progress is
// asked about first; without one it quits at once.
void setQuit(std::function<void()> quit);

} // namespace UpdateConfig
