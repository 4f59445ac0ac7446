#include "update/PackageSignature.h"

#include <QFile>
#include <sodium.h>

namespace {

bool ready()
{
    static const bool initialised = sodium_init() >= 0;
    return initialised;
}

// The file's bytes, mapped rather than read, so a large package is not copied into memory.
class MappedFile {
public:
    explicit MappedFile(const QString& path) : m_file(path)
    {
        if (m_file.open(QIODevice::ReadOnly)) {
            m_size = m_file.size();
            // An empty file cannot be mapped, and has no bytes to point at.
            m_data = m_size > 0 ? m_file.map(0, m_size) : &empty;
        }
    }
    const uchar* data() const { return m_data; }
    qint64 size() const { return m_size; }

private:
    static constexpr uchar empty = 0;
    QFile m_file;
    const uchar* m_data = nullptr;
    qint64 m_size = 0;
};

} // namespace

namespace PackageSignature {

std::optional<QByteArray> publicKey(const QString& base64)
{
    const auto decoded = QByteArray::fromBase64Encoding(base64.trimmed().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != publicKeyBytes) {
        return std::nullopt;
    }
    return decoded.decoded;
}

bool verifyFile(const QString& path, const QString& signatureBase64, const QByteArray& publicKey)
{
    const auto signature = QByteArray::fromBase64Encoding(signatureBase64.trimmed().toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
    if (!ready() || !signature || signature.decoded.size() != signatureBytes ||
        publicKey.size() != publicKeyBytes) {
        return false;
    }
    const MappedFile file(path);
    if (file.data() == nullptr) {
        return false;
    }
    return crypto_sign_verify_detached(
               reinterpret_cast<const unsigned char*>(signature.decoded.constData()), file.data(),
               static_cast<unsigned long long>(file.size()),
               reinterpret_cast<const unsigned char*>(publicKey.constData())) == 0;
}

std::optional<std::pair<QByteArray, QByteArray>> generateKeyPair()
{
    QByteArray publicKey(publicKeyBytes, Qt::Uninitialized);
    QByteArray secretKey(secretKeyBytes, Qt::Uninitialized);
    if (!ready() || crypto_sign_keypair(reinterpret_cast<unsigned char*>(publicKey.data()),
                                        reinterpret_cast<unsigned char*>(secretKey.data())) != 0) {
        return std::nullopt;
    }
    return std::pair{publicKey, secretKey};
}

std::optional<QString> signFile(const QString& path, const QByteArray& secretKey)
{
    const MappedFile file(path);
    if (!ready() || secretKey.size() != secretKeyBytes || file.data() == nullptr) {
        return std::nullopt;
    }
    QByteArray signature(signatureBytes, Qt::Uninitialized);
    crypto_sign_detached(reinterpret_cast<unsigned char*>(signature.data()), nullptr, file.data(),
                         static_cast<unsigned long long>(file.size()),
                         reinterpret_cast<const unsigned char*>(secretKey.constData()));
    return QString::fromLatin1(signature.toBase64());
}

} // namespace PackageSignature
