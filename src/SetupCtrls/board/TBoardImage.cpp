#include "SetupCtrls/board/TBoardImage.h"

#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "toolkit/app/Messages.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/layout/Layout.h"
#include "toolkit/layout/ScrollingClient.h"
#include "toolkit/layout/WindowGeometry.h"

#include <QEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <cmath>

TBoardImage::TBoardImage(QWidget* parent)
    : QWidget(parent)
    , m_picture(new TPicture(this))
{
    resize(DefaultSize, DefaultSize);
    connect(m_picture, &TPicture::changed, this, &TBoardImage::pictureChanged);
}

TBoardImage::~TBoardImage() = default;

TBoardHighlight* TBoardImage::First() const
{
    return m_first;
}

void TBoardImage::setFirst(TBoardHighlight* first)
{
    m_first = first;
}

void TBoardImage::setScale(bool value)
{
    if (m_scale == value)
        return;
    m_scale = value;
    pictureChanged();
}

void TBoardImage::setAutoSize(bool value)
{
    if (m_autoSize == value)
        return;
    m_autoSize = value;
    if (m_autoSize && m_picture->width() > 0 && m_picture->height() > 0)
        resize(m_picture->width(), m_picture->height());
}

void TBoardImage::setCenter(bool value)
{
    if (m_center == value)
        return;
    m_center = value;
    pictureChanged();
}

void TBoardImage::setStretch(bool value)
{
    if (m_stretch == value)
        return;
    m_stretch = value;
    pictureChanged();
}

void TBoardImage::setTransparent(bool value)
{
    if (m_transparent == value)
        return;
    m_transparent = value;
    pictureChanged();
}

void TBoardImage::setPicture(TPicture* picture)
{
    if (picture)
        m_picture->assign(*picture);
    else
        m_picture->clear();
}

void TBoardImage::pictureChanged()
{
    m_paintedStale = true;
    const int pw = m_picture->width();
    const int ph = m_picture->height();
    if (pw > 0 && ph > 0) {
        const double ratio = double(ph) / double(pw);
        m_aspectRatio = std::isfinite(ratio) ? ratio : 1.0;
        if (m_autoSize)
            setGeometry(x(), y(), pw, ph);
    }
    if (m_picture->hasGraphic()) {
        // Writing the graphic's transparency notifies again; the second pass
        // finds it equal and goes straight through.
        m_picture->setTransparent(m_transparent);
        const bool opaque = !m_picture->transparent()
            && (m_stretch || (pw >= width() && ph >= height()));
        setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    } else {
        setAttribute(Qt::WA_OpaquePaintEvent, false);
    }
    if (!m_drawing)
        update();
}

QRect TBoardImage::destRect() const
{
    if (m_stretch)
        return rect();
    const int pw = m_picture->width();
    const int ph = m_picture->height();
    if (m_center)
        return QRect((width() - pw) / 2, (height() - ph) / 2, pw, ph);
    return QRect(0, 0, pw, ph);
}

const QImage& TBoardImage::paintedPicture()
{
    // In device pixels, so that a scaled screen gets the photograph's own
    // detail rather than an enlarged copy.
    const qreal ratio = devicePixelRatioF();
    if (m_paintedStale || m_painted.deviceIndependentSize() != QSizeF(size()) || m_painted.devicePixelRatio() != ratio) {
        m_painted = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        m_painted.setDevicePixelRatio(ratio);
        m_painted.fill(Qt::transparent);
        QPainter painter(&m_painted);
        m_picture->draw(painter, destRect());
        painter.end();
        m_paintedStale = false;
        // Everything is drawn from this copy; the picture decodes its pixels
        // again should the copy ever need making anew.
        m_picture->releasePixels();
    }
    return m_painted;
}

QPoint TBoardImage::centredPosition() const
{
    const QSize outer = tk::outerSize(parentWidget());
    // Integer division truncates toward zero: a parent 7 pixels narrower
    // than the control gives -3.
    return QPoint((outer.width() - width()) / 2, (outer.height() - height()) / 2);
}

void TBoardImage::recordLayout()
{
    if (m_paintedOnce)
        return;
    m_layoutLeft = x();
    m_layoutTop = y();
    m_paintedOnce = true;
}

QSize TBoardImage::pageNeeded() const
{
    // Centred by the window's outer size, the picture stands lower and
    // further right on the page than the page's own middle, by half of what
    // the frame, caption and menu bar add: the page is that much larger
    // than the picture on each side where it sticks out, and leaves the band
    // of text aligned to its top clear.
    const QSize chrome = tk::outerSize(parentWidget()) - parentWidget()->size();
    const int band = tk::topBandHeight(parentWidget());
    return { width() + std::max(chrome.width(), 0),
        height() + std::max({ chrome.height(), 2 * band - chrome.height(), 0 }) };
}

void TBoardImage::prepareForPaint()
{
    recordLayout();
    if (m_centerOnForm && tk::scrollerOf(parentWidget()))
        tk::setPageSize(parentWidget(), pageNeeded());
    if (m_centerOnForm && parentWidget()) {
        const QPoint target = centredPosition();
        if (target != pos())
            move(target);
    }
    initialiseHiddenCircles();
}

void TBoardImage::initialiseHiddenCircles()
{
    if (m_circlesInitialised)
        return;
    QRegion waiting;
    for (const TBoardHighlight* highlight : findChildren<TBoardHighlight*>(Qt::FindDirectChildrenOnly))
        if (!highlight->Initialised() && highlight->isVisibleTo(this))
            waiting += highlight->geometry();
    m_circlesInitialised = waiting.isEmpty();
    // A circle enters its menu at its first paint. One that a window too
    // small for the page does not show (the page scrolled, or the board cut
    // off) is painted aside now, before the window's paint, so that every
    // circle is in its menu, and in the order of a whole paint.
    if (m_circlesInitialised || visibleRegion().intersected(waiting) == waiting)
        return;
    QImage aside(size(), QImage::Format_ARGB32_Premultiplied);
    render(&aside, QPoint(), waiting, DrawChildren);
    m_circlesInitialised = true;
}

void TBoardImage::watchWindow()
{
    QWidget* window = this->window();
    if (window != this && m_watchedWindow != window) {
        if (m_watchedWindow)
            m_watchedWindow->removeEventFilter(this);
        m_watchedWindow = window;
        window->installEventFilter(this);
    }
    QWindow* handle = window ? window->windowHandle() : nullptr;
    if (handle && m_watchedHandle != handle) {
        if (m_watchedHandle)
            m_watchedHandle->removeEventFilter(this);
        m_watchedHandle = handle;
        handle->installEventFilter(this);
    }
}

bool TBoardImage::eventFilter(QObject* watched, QEvent* event)
{
    // The window is about to paint (an update request, or the window system
    // exposing it): centre first, so that no geometry changes while painting.
    if ((watched == m_watchedWindow && event->type() == QEvent::UpdateRequest)
        || (watched == m_watchedHandle && event->type() == QEvent::Expose)) {
        if (isVisible())
            prepareForPaint();
    }
    return QWidget::eventFilter(watched, event);
}

bool TBoardImage::event(QEvent* event)
{
    switch (int(event->type())) {
    case tk::WM_STARTTOUR:
        startTour();
        return true;
    case QEvent::Show:
        // Made before the window's first paint allocates its buffer, so that
        // the decoded photograph has gone by then.
        paintedPicture();
        [[fallthrough]];
    case QEvent::ParentChange:
    case QEvent::WinIdChange:
        watchWindow();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TBoardImage::startTour()
{
    if (!m_first)
        return;
    // The mouse entering, clicking and leaving First, as the mouse itself
    // would: the message's parameters carry nothing.
    TBoardHighlight* first = m_first;
    first->MouseEnter(TBoardHighlight::RelayMarker::Direct);
    first->Click();
    first->MouseLeave(TBoardHighlight::RelayMarker::Direct);
}

void TBoardImage::paintEvent(QPaintEvent*)
{
    recordLayout();
    // A paint that did not come through the window (a grab, say) centres
    // right after it instead of moving the control while it is painted.
    if (m_centerOnForm && parentWidget() && centredPosition() != pos())
        QMetaObject::invokeMethod(this, &TBoardImage::prepareForPaint, Qt::QueuedConnection);

    const bool wasDrawing = m_drawing;
    m_drawing = true;
    struct Restore {
        bool& flag;
        bool value;
        ~Restore() { flag = value; }
    } restore { m_drawing, wasDrawing };
    // Unscaled, the copy is exact wherever it lands and however it is
    // clipped.
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), paintedPicture());
}

void TBoardImage::resizeEvent(QResizeEvent* event)
{
    m_paintedStale = true;
    QWidget::resizeEvent(event);
}
