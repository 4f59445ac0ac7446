#pragma once

#include <QDialog>

// A small window standing in for the About and settings windows until they exist, so the
// brand header's mark and gear answer a click.
class PlaceholderDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { about, settings };

    // Opens one over `parent` without blocking; it deletes itself when closed.
    static PlaceholderDialog* openOver(QWidget* parent, Kind kind);

private:
    PlaceholderDialog(Kind kind, QWidget* parent);
};
