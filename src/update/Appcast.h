#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

// One release in an update feed: its version, the version shown to people, and the package.
struct AppcastItem {
    QString version;
    QString displayVersion;
    QUrl url;           // may be relative to the feed
    quint64 length = 0; // announced size in bytes; 0 when the feed gives none
    QString signature;  // base64 Ed25519 signature of the package's bytes
    bool operator==(const AppcastItem&) const = default;
};

// Reading the RSS update feed and choosing what to offer.
namespace Appcast {

// The XML namespace of the feed's version, signature and display-version attributes.
inline constexpr char sparkleNamespace[] = "http://www.andymatuschak.org/xml-namespaces/sparkle";

struct Parsed {
    QList<AppcastItem> items;
    QString error; // empty when the feed was read
};

// The feed's items that name a version and a package address; an error for anything that is
// not well-formed RSS.
Parsed parse(const QByteArray& feed);

// Numeric, segment by segment: "1.10" is after "1.9" and "2.0" equals "2". Negative, zero or
// positive like a comparison.
int compareVersions(const QString& a, const QString& b);

// The item with the highest version above `current`, if any.
std::optional<AppcastItem> newest(const QList<AppcastItem>& items, const QString& current);

// An item as the feed carries it, for publishing a release.
QString itemXml(const AppcastItem& item);

} // namespace Appcast
