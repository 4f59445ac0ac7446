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
// How the application starts the version just installed in place of itself, asking about a
// run in progress first: true when this process is on its way out. Without one, the user is
// told to reopen Leaflow.
void setRelaunch(std::function<bool()> relaunch);

} // namespace UpdateConfig
