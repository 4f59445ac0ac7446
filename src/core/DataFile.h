#pragma once

#include "core/AppData.h"

#include <QByteArray>
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
    // Puts the bytes into the temporary file that then takes data.json's place; answers 0, or
    // the errno of a failure. Tests pass one that fails.
    using Writer = std::function<int(QFileDevice& file, const QByteArray& bytes)>;

    // What became of a save: done, or why data.json was left as it was.
    enum class SaveResult {
        saved,         // written, or deliberately not (screenshot mode)
        folderMissing, // the data folder is not there and cannot be made (a file in its place)
        diskFull,
        notPermitted, // the folder or its file system does not let us write
        failed,       // any other write error
        unencodable,  // a value JSON cannot hold, which would make the file unreadable
    };

    // The folder is created (with its parents) if it is missing, and it and everything in it
    // made private to the user (a folder made by an earlier version included); a failure is
    // ignored and later reads and writes simply fail.
    explicit DataFile(QString folder = standardFolder(),
                      Clock clock = &QDateTime::currentDateTimeUtc, Writer writer = writeAll);

    // The writer of every real save.
    static int writeAll(QFileDevice& file, const QByteArray& bytes);

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
    // Writes atomically through a temporary file, so a failure leaves the last saved file
    // whole; does nothing in screenshot mode. A data folder removed meanwhile is made again.
    SaveResult save(const AppData& data) const;
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
    // The cause of a failed write, told by the folder's state and the errno the write left.
    SaveResult failure(int error) const;

    QString m_folder;
    Clock m_clock;
    Writer m_writer;
};
