#pragma once
// The control that shows the board photograph, carries the highlight circles
// as its children, keeps itself centred in its window and starts the guided
// tour at its First highlight.

#include "toolkit/controls/TMainMenu.h"
#include "toolkit/graphics/TPicture.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class TBoardHighlight;

class TBoardImage : public QWidget {
    Q_OBJECT
    Q_MOC_INCLUDE("SetupCtrls/highlight/TBoardHighlight.h")
    Q_PROPERTY(TBoardHighlight* First READ First WRITE setFirst)
    Q_PROPERTY(TMainMenu* Menu READ Menu WRITE setMenu)
    Q_PROPERTY(bool CenterOnForm READ CenterOnForm WRITE setCenterOnForm)
    Q_PROPERTY(bool Scale READ Scale WRITE setScale)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE setCenter)
    Q_PROPERTY(TPicture* Picture READ Picture WRITE setPicture)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)

public:
    static constexpr int DefaultSize = 105;

    explicit TBoardImage(QWidget* parent = nullptr);
    ~TBoardImage() override;

    TBoardHighlight* First() const;
    void setFirst(TBoardHighlight* first);
    TMainMenu* Menu() const { return m_menu; }
    void setMenu(TMainMenu* menu) { m_menu = menu; }
    bool CenterOnForm() const { return m_centerOnForm; }
    void setCenterOnForm(bool value) { m_centerOnForm = value; }
    bool Scale() const { return m_scale; }
    void setScale(bool value);
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool value);
    bool Center() const { return m_center; }
    void setCenter(bool value);
    TPicture* Picture() const { return m_picture; }
    void setPicture(TPicture* picture);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool value);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool value);

    double AspectRatio() const { return m_aspectRatio; }
    // Where the control was laid out, as it stood at its first paint; 0
    // before that paint.
    int LayoutLeft() const { return m_layoutLeft; }
    int LayoutTop() const { return m_layoutTop; }
    bool PaintedOnce() const { return m_paintedOnce; }

    // Where the picture is drawn, in the control's coordinates.
    QRect destRect() const;
    // The picture as the control paints it, at the control's size, with
    // nothing where the picture does not reach. Made once for each picture
    // and size: a scaled picture drawn in part (into a highlight's small
    // image, or clipped by the window) samples the photograph differently
    // from one drawn whole, so every paint copies these same pixels.
    // Highlights compose what lies beneath them from it, drawn unscaled at
    // the control's top-left corner as its own paint draws it. Asking for it
    // makes it anew when the picture or the size has changed.
    const QImage& paintedPicture();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void pictureChanged();
    // The first paint's step: note where the control was laid out.
    void recordLayout();
    // The steps of a paint that change geometry, run before painting starts.
    void prepareForPaint();
    // The smallest page on which the picture, centred, stands whole and
    // below the page's top band; a page that scrolls is kept that large.
    QSize pageNeeded() const;
    void initialiseHiddenCircles();
    QPoint centredPosition() const;
    void watchWindow();
    void startTour();

    QPointer<TBoardHighlight> m_first;
    QPointer<TMainMenu> m_menu;
    TPicture* m_picture;
    bool m_centerOnForm = true;
    bool m_scale = true;
    bool m_autoSize = true;
    bool m_center = false;
    bool m_stretch = false;
    bool m_transparent = false;
    double m_aspectRatio = 1.0;
    int m_layoutLeft = 0;
    int m_layoutTop = 0;
    bool m_paintedOnce = false;
    bool m_circlesInitialised = false;
    bool m_drawing = false;
    QImage m_painted;
    bool m_paintedStale = true;
    QPointer<QObject> m_watchedWindow;
    QPointer<QObject> m_watchedHandle;
};
