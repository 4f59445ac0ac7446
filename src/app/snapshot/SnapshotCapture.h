#pragma once

#include <QImage>
#include <QString>
#include <optional>

class QWidget;

// The screenshot mode's capture: each section of the main window as a PNG, then quit.
namespace Snapshot {

constexpr double defaultWidth = 1300;
constexpr int contentHeight = 780;
constexpr int settleMs = 2000;

// The folder named by LEAFLOW_SNAPSHOT.
QString captureFolder();
// LEAFLOW_SNAPSHOT_DARK is present.
bool darkRequested();
// LEAFLOW_SNAPSHOT_WIDTH as a decimal number of points; 1300 when absent, not a number or not
// positive.
double contentWidth();

// `window` drawn at two pixels per point.
QImage render(QWidget* window);

// Starts the capture into `folder`: creates it, remembers the selected section, then shows and
// captures every section and window, restores the section and quits the application.
void startCapture(const QString& folder);

} // namespace Snapshot
