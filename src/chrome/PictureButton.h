#pragma once

#include "KeyClickRule.h"
#include "MouseClickRule.h"
#include "Picture.h"

#include <QMetaMethod>
#include <QPoint>
#include <QString>
#include <QWidget>

// A clickable picture. The click comes on release of the left button over the
// picture, after the picture is back in place, and never from the second press
// of a double click; a sinking button moves one pixel right and down while any
// button is held on it, that second press included. A picture that acts (one
// whose click anything listens to) is a control the keyboard reaches by Tab, and
// Space or Enter clicks it; a click never moves the focus to it.
class PictureButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString picture READ picture WRITE setPicture)
public:
    explicit PictureButton(QWidget* parent = nullptr);
    // A named picture button placed on its parent, as layouts built in code need.
    static PictureButton* create(QWidget* parent, const char* name, const QRect& at,
                                 const QString& resource);

    void setPicture(const QString& resource);
    QString picture() const { return picture_; }
    void setSinks(bool sinks) { sinks_ = sinks; }
    bool sinks() const { return sinks_; }
    // Whether a click does anything: a picture nobody listens to is artwork.
    bool acts() const
    {
        return isSignalConnected(QMetaMethod::fromSignal(&PictureButton::clicked));
    }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void connectNotify(const QMetaMethod& signal) override;

private:
    QString picture_;
    Picture renderer_;
    bool sinks_ = false;
    MouseClickRule gesture_;
    KeyClickRule keys_;
    QPoint restAt_;
};
