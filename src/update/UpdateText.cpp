#include "update/UpdateText.h"

#include <QCoreApplication>

namespace UpdateText {

QString keyInvalid()
{
    return QCoreApplication::translate("Updater",
                                       "Güncelleme anahtarı geçersiz; güncellemeler denetlenemez.");
}

QString addressRefused()
{
    return QCoreApplication::translate(
        "Updater", "Güncelleme adresi güvenli değil; yalnız HTTPS bağlantısı kabul edilir.");
}

QString redirectRefused()
{
    return QCoreApplication::translate(
        "Updater",
        "Güncelleme sunucusu başka türde bir adrese yönlendirdi; güvenlik için durduruldu.");
}

QString unreachable()
{
    return QCoreApplication::translate(
        "Updater", "Güncelleme sunucusuna ulaşılamadı. İnternet bağlantını denetle.");
}

QString serverError(int status)
{
    return QCoreApplication::translate("Updater",
                                       "Güncelleme sunucusu bir hata bildirdi (HTTP %1).")
        .arg(status);
}

QString feedTooLarge()
{
    return QCoreApplication::translate("Updater", "Sürüm bilgisi beklenenden büyük; okunmadı.");
}

QString feedUnreadable()
{
    return QCoreApplication::translate("Updater", "Sürüm bilgisi okunamadı; biçimi bozuk.");
}

QString saveFailed()
{
    return QCoreApplication::translate("Updater", "İndirilen paket diske yazılamadı.");
}

QString wrongLength()
{
    return QCoreApplication::translate("Updater",
                                       "İndirilen paket duyurulan boyutta değil; silindi.");
}

QString signatureInvalid()
{
    return QCoreApplication::translate("Updater",
                                       "İndirilen paketin imzası doğrulanamadı; paket silindi.");
}

QString openFailed()
{
    return QCoreApplication::translate("Updater", "Paket kurulum için açılamadı.");
}

QString installRefused()
{
    return QCoreApplication::translate("Updater",
                                       "Kurulum için izin verilmedi; Leaflow güncellenmedi.");
}

QString installFailed(const QString& details)
{
    if (details.isEmpty()) {
        return QCoreApplication::translate("Updater", "Yeni sürüm kurulamadı.");
    }
    return QCoreApplication::translate("Updater", "Yeni sürüm kurulamadı: %1").arg(details);
}

QString openedInInstaller()
{
    return QCoreApplication::translate(
        "Updater", "Paket sistemin kurulum uygulamasında açıldı. Kurulum bitince Leaflow'u "
                   "kapatıp yeniden aç.");
}

QString installedNotReopened()
{
    return QCoreApplication::translate(
        "Updater", "Yeni sürüm kuruldu. Kullanmak için Leaflow'u kapatıp yeniden aç.");
}

} // namespace UpdateText
