#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

// Drags and drops delivered straight to a widget, as the window system would deliver them.
namespace ScreenEvents {

// Enters, moves over and drops on target at pos; true when the drop was accepted.
inline bool drop(QWidget* target, const QMimeData* mime, QPoint pos = {4, 4})
{
    QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent dropped(QPointF(pos), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

inline bool dropFiles(QWidget* target, const QStringList& paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    mime.setUrls(urls);
    mime.setText(paths.join(u'\n')); // as file managers send them
    return drop(target, &mime);
}

} // namespace ScreenEvents
