#pragma once

#include "AppData.h"

#include <QDateTime>
#include <QFileDevice>
#include <QString>
#include <functional>
#include <optional>

// The data folder with its data.json: loading (unreadable files are kept as
// "data-<seconds>.bak.json"), atomic saving, and the signatures folder.
class DataFile {
public:
    using Clock = std::function<QDateTime()>;

    // The folder is created (with its parents) if it is missing, and it and everything in it
    // made private to the user (a folder made by an earlier version included); a failure is
    // ignored and later reads and writes simply fail.
    explicit DataFile(QString folder = standardFolder(),
                      Clock clock = &QDateTime::currentDateTimeUtc);

    // Folders of the data hold handwritten signatures and the names of the user's documents:
    // only the owner may open them.
    static constexpr QFileDevice::Permissions folderPermissions =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    static constexpr QFileDevice::Permissions filePermissions = QFileDevice::ReadOwner |
                                                                QFileDevice::WriteOwner;
    // Creates `path` (with its parents) and makes it private; false when it is not a folder.
    static bool makePrivateFolder(const QString& path);

    // "Leaflow" in the user's generic data folder (~/.local/share/Leaflow).
    static QString standardFolder();

    QString folder() const { return m_folder; }
    QString dataPath() const;
    QString signaturesPath() const;

    // The decoded data file; absent when there is none, or when it cannot be
    // decoded, in which case a byte-for-byte backup copy is made first.
    std::optional<AppData> load() const;
    // Writes atomically; does nothing in screenshot mode. Failures are silent (false).
    bool save(const AppData& data) const;
    // The start-up load: a decoded file is saved back at once in the normalised
    // form (compact, sorted, unknown keys dropped); otherwise the initial AppData.
    AppData restore() const;

    // Where a signature's image lives; absent when it names no image file, and
    // for a name that is not a plain file name (empty, a separator, NUL, "." or
    // "..", an absolute path), so a hand-edited file can never reach outside the folder.
    std::optional<QString> signatureImagePath(const SavedSignature& signature) const;

private:
    // Makes the folder, its subfolders and files private; links are left alone, since
    // changing one would change whatever it points at.
    void tighten() const;

    QString m_folder;
    Clock m_clock;
};
