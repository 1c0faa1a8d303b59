#include "app/qt/RenderView.h"

#include "app/FrameDriver.h"
#include "app/Globals.h"
#include "app/ViewInteraction.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <bit>

namespace Quorvane {

// A pixel 0x00BBGGRR lies in memory as the bytes R, G, B, 0 on a
// little-endian machine, which is exactly Format_RGBX8888 (the X byte is not
// read). A big-endian machine would need another format.
static_assert(std::endian::native == std::endian::little);

QImage frameImage(const FrameSurface& surface)
{
    return QImage(reinterpret_cast<const uchar*>(surface.pixels()), FrameSurface::width, FrameSurface::height,
                  FrameSurface::width * 4, QImage::Format_RGBX8888);
}

// Qt expects 0xff in the X byte that our pixels leave 0. Drawn as it is, the
// image comes out right only on a window surface without alpha; on one with
// alpha every pixel would be transparent. Qt's conversion sets the byte.
QImage displayImage(const FrameSurface& surface)
{
    return frameImage(surface).convertToFormat(QImage::Format_RGB32);
}

RenderView::RenderView(QWidget* parent) : QWidget(parent)
{
}

void RenderView::renderNow()
{
    // repaint(), not update(): the new frame must be on screen before the next
    // mouse event is handled, and update() only queues it.
    repaint(pictureRect);
}

void RenderView::paintEvent(QPaintEvent* event)
{
    // The buttons are not opaque, so repainting one of them asks this widget
    // for the area beneath it too; only a request that touches the picture
    // renders a frame.
    if (!event->region().intersects(pictureRect))
        return;
    FrameSurface surface;
    renderFrame(renderer, surface, renderMode, shadingMode, camera, light, mesh);
    QPainter painter(this);
    painter.drawImage(pictureRect.topLeft(), displayImage(surface));
    emit frameRendered();
}

void RenderView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint position = event->position().toPoint();
    if (onLeftButtonDown(dragTracker, position.x(), position.y()))
        renderNow();
}

// Qt grabs the mouse for the widget that took the press, so the release
// arrives here even when the pointer has left the window: the drag ends.
void RenderView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (onLeftButtonUp(dragTracker))
        renderNow();
}

void RenderView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (onMouseMove(dragTracker, camera, position.x(), position.y()))
        renderNow();
}

void RenderView::wheelEvent(QWheelEvent* event)
{
    // A horizontal wheel and the delta-less start and end of a touchpad
    // gesture are not wheel turns toward or away from the user.
    const QPoint delta = event->angleDelta();
    if (delta.y() == 0 && (delta.x() != 0 || event->phase() != Qt::NoScrollPhase)) {
        event->ignore();
        return;
    }
    if (onMouseWheel(camera, delta.y()))
        renderNow();
}

} // namespace Quorvane
