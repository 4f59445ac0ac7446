#pragma once

#include "ui/screens/sign/SignaturePad.h"

#include <QPointer>
#include <QWidget>

class Button;
class DropZone;
class QStackedWidget;
class RunButton;
class SignCanvas;
class SignPager;
class SignaturePanel;
class SignTool;
class Store;
class ToolPage;
class ToneLabel;

// The sign section's page: the page being signed with its pager, the signature
// library beside it, the note on what signing here means and the run button.
class SignView : public QWidget {
    Q_OBJECT
public:
    SignView(SignTool& tool, Store& store, QWidget* parent = nullptr);

    // Shows the pad over the window, unless it is already shown.
    void showPad();

private:
    QWidget* makeTrailing();
    QWidget* makeContent();
    void refresh();

    SignTool& m_tool;
    Store& m_store;
    SignaturePad::ImagePicker m_pickImage;
    ToolPage* m_page;
    QWidget* m_trailing = nullptr;
    Button* m_other = nullptr;
    Button* m_remove = nullptr;
    QStackedWidget* m_left = nullptr;
    DropZone* m_dropZone = nullptr;
    QWidget* m_column = nullptr;
    SignCanvas* m_canvas = nullptr;
    SignPager* m_pager = nullptr;
    SignaturePanel* m_panel = nullptr;
    ToneLabel* m_note = nullptr;
    RunButton* m_run = nullptr;
    QPointer<SignaturePad> m_pad;
};
