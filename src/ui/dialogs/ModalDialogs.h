#pragma once

// Hands the keyboard back to the window that asked once its modal dialog closes, so the window's
// shortcuts work at once.
namespace ModalDialogs {

// Watches the application's dialogs from now on; call once after the QApplication exists.
void install();

} // namespace ModalDialogs
