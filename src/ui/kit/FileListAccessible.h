#pragma once

// How a FileList and its rows describe themselves to assistive technology: the list as a list
// named by its screen, every row as one of its items, selected while it is the current row.
namespace FileListAccessible {

// Serves the list's and the rows' interfaces; FileList and FileListRow call it as they are made.
void provide();

} // namespace FileListAccessible
