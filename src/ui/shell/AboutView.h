#pragma once

#include <QWidget>

class QLabel;
class Store;

// The introduction of the application: mark, name, version, privacy, the tools, the stored
// counts and a way to write to support; with a close button in its own window only.
class AboutView : public QWidget {
    Q_OBJECT
public:
    AboutView(Store& store, bool showsClose, QWidget* parent = nullptr);

    // "Sürüm 1.2 (7) · Linux" for the given version and build.
    static QString versionLine(const QString& version, const QString& build);
    // The mail link to `address` with the product name as subject.
    static QUrl mailLink(const QString& address);

signals:
    void closeRequested();

private:
    void showCounts();

    Store& m_store;
    QLabel* m_counts;
};
