#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>

// Ed25519 signatures of update packages: the key built into the application, checking a
// downloaded file, and signing one for a release.
namespace PackageSignature {

inline constexpr int publicKeyBytes = 32;
inline constexpr int secretKeyBytes = 64;
inline constexpr int signatureBytes = 64;

// The raw public key from its base64 form; none unless it is exactly a public key's length.
std::optional<QByteArray> publicKey(const QString& base64);

// Whether `signatureBase64` is `publicKey`'s signature of the file's whole contents.
bool verifyFile(const QString& path, const QString& signatureBase64, const QByteArray& publicKey);

// A new key pair: the public and the secret key, raw; none when the library cannot start.
std::optional<std::pair<QByteArray, QByteArray>> generateKeyPair();
// The base64 signature of the file's contents; none when it cannot be read or the key is not
// a secret key.
std::optional<QString> signFile(const QString& path, const QByteArray& secretKey);

} // namespace PackageSignature
