#pragma once

#include <QWidget>

class PictureButton;

// A secondary window: a borderless notepad page of 228 x 204 pixels that stays
// out of the taskbar and is destroyed when it closes.
class PageWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{228, 204};

    explicit PageWindow(const QString& name, QWidget* parent = nullptr);

    // Whether restoring the main window from the tray shows this window too.
    virtual bool restoresWithMain() const { return false; }

protected:
    // Escape closes the window (the viewer, help and about).
    virtual void escape() { close(); }
    void keyPressEvent(QKeyEvent* event) override;

    PictureButton* btnFechar = nullptr;
};
