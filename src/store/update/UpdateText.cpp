#include "UpdateText.h"

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

} // namespace UpdateText
