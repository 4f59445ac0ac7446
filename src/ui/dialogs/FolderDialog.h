#pragma once

#include <QFileDialog>
#include <optional>

// The Qt-drawn folder chooser, where what the user typed into the path field always decides:
// an existing folder is chosen as typed, a missing one once the user agrees to have it made
// (by the run that writes into it, so that a run that writes nothing leaves no empty folder).
// Without Q_OBJECT on purpose: Qt offers the platform's own dialog only to QFileDialog itself.
class FolderDialog : public QFileDialog {
public:
    explicit FolderDialog(QWidget* parent = nullptr);

    // The folder the user chose; absent unless the dialog was accepted.
    std::optional<QString> chosen() const { return m_chosen; }

    void accept() override;

private:
    // The typed path made absolute against the folder shown; empty when nothing usable is typed.
    QString typedPath() const;
    bool confirmCreating(const QString& path);
    static bool canCreate(const QString& path);
    void choose(const QString& path);

    std::optional<QString> m_chosen;
};
