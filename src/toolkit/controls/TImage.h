#pragma once
// A control that shows a picture: at its top-left corner, stretched over the
// control or centred in it, and optionally sized to the picture.

#include "toolkit/graphics/TPicture.h"

#include <QWidget>

class TImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TPicture* Picture READ picture WRITE setPicture)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool Center READ center WRITE setCenter)

public:
    explicit TImage(QWidget* parent = nullptr);

    // The control's own picture; changing it repaints the control.
    TPicture* picture() const { return m_picture; }
    // Copies the content; nullptr empties the picture.
    void setPicture(TPicture* picture);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);

    bool center() const { return m_center; }
    void setCenter(bool center);

    // Where the picture is drawn within the control.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void pictureChanged();
    void fitToPicture();

    TPicture* m_picture;
    bool m_autoSize = false;
    bool m_stretch = false;
    bool m_center = false;
};
