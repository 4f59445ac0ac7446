#include "store/Store.h"

#include <QDir>

namespace {

// Why the data file could not be written and what happens next, in the interface language.
QString unsavedNote(DataFile::SaveResult result, const QString& folder)
{
    const QString shown = QDir::toNativeSeparators(folder);
    QString cause;
    switch (result) {
    case DataFile::SaveResult::saved: return {};
    case DataFile::SaveResult::folderMissing:
        cause = Store::tr("Geçmiş ve imzalar kaydedilemedi: veri klasörü yok ve oluşturulamadı "
                          "(%1).")
                    .arg(shown);
        break;
    case DataFile::SaveResult::diskFull:
        cause = Store::tr("Geçmiş ve imzalar kaydedilemedi: diskte yeterli yer yok.");
        break;
    case DataFile::SaveResult::notPermitted:
        cause = Store::tr("Geçmiş ve imzalar kaydedilemedi: veri klasörüne yazma izni yok (%1).")
                    .arg(shown);
        break;
    case DataFile::SaveResult::failed:
        cause = Store::tr("Geçmiş ve imzalar kaydedilemedi: veri klasörüne yazılamadı (%1).")
                    .arg(shown);
        break;
    case DataFile::SaveResult::unencodable:
        cause = Store::tr(
            "Geçmiş ve imzalar kaydedilemedi: kaydedilecek bir değer JSON olarak yazılamıyor.");
        break;
    }
    return cause + QLatin1Char(' ') +
           Store::tr("Değişiklikler bellekte duruyor; bir sonraki değişiklikte ve çıkarken "
                     "yeniden denenecek.");
}

// Takes the note out of every banner that shows it; answers the pages whose banner did.
QStringList withdraw(QMap<QString, Banner>& banners, const QString& note)
{
    QStringList carried;
    if (note.isEmpty()) {
        return carried;
    }
    const QString appended = QLatin1Char(' ') + note;
    for (auto it = banners.begin(); it != banners.end();) {
        if (it->text == note) {
            carried.append(it.key());
            it = banners.erase(it);
            continue;
        }
        if (it->text.endsWith(appended)) {
            carried.append(it.key());
            it->text.chop(appended.size());
            // Only a finished run's banner lists files, and that is no failure of its own.
            it->kind = it->outputs.isEmpty() ? Banner::Kind::error : Banner::Kind::success;
        }
        ++it;
    }
    return carried;
}

void append(QMap<QString, Banner>& banners, const QString& page, const QString& note)
{
    Banner banner = banners.value(page);
    banner.text = banner.text.isEmpty() ? note : banner.text + QLatin1Char(' ') + note;
    banner.kind = Banner::Kind::error;
    banners.insert(page, banner);
}

} // namespace

// A failed save is told after whatever the page already says (a finished run's banner keeps
// its sizes and files). Every page that tells of unsaved data keeps telling it, with the latest
// cause, until a save succeeds and the note leaves them all.
void Store::setData(const AppData& data, const std::optional<QString>& page)
{
    m_data = data;
    const DataFile::SaveResult result = m_dataFile.save(m_data);
    notify(&Store::dataChanged);

    QStringList telling = withdraw(m_banners, m_unsavedNote);
    m_unsavedNote = unsavedNote(result, m_dataFile.folder());
    if (!m_unsavedNote.isEmpty()) {
        const QString shownOn = page.value_or(m_shownPage);
        if (!telling.contains(shownOn)) {
            telling.append(shownOn);
        }
        for (const QString& carrier : telling) {
            append(m_banners, carrier, m_unsavedNote);
        }
    }
    if (!telling.isEmpty()) {
        notify(&Store::bannersChanged);
    }
}
