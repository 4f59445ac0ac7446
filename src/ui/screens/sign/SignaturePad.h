#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class AlertLabel;
class Button;
class InkArea;
class InkPicker;
class QLineEdit;
class Store;

// The sheet that makes a new library signature: drawn in the area, or taken
// from a photo or scan. It closes itself once a signature has been added.
class SignaturePad : public QDialog {
    Q_OBJECT
public:
    // Asks the user for an image file; none when cancelled.
    using ImagePicker = std::function<std::optional<QString>()>;

    static constexpr int padding = 24;

    SignaturePad(Store& store, ImagePicker pickImage, QWidget* parent = nullptr);

private:
    void importImage();
    void save();
    void refreshButtons();
    void showHint();

    Store& m_store;
    ImagePicker m_pickImage;
    InkArea* m_area;
    InkPicker* m_picker;
    QLineEdit* m_name;
    AlertLabel* m_hint;
    Button* m_import;
    Button* m_clear;
    Button* m_cancel;
    Button* m_save;
    bool m_importFailed = false;
};
