#pragma once

#include "render/FrameRenderer.h"
#include "render/FrameSurface.h"
#include "render/WorkerPool.h"

#include <QImage>
#include <QRect>
#include <QWidget>

namespace Quorvane {

// The picture's place in the client area: the top-left 500 x 500 pixels,
// whatever the window's size.
constexpr QRect pictureRect(0, 0, FrameSurface::width, FrameSurface::height);

// The surface's pixels as an image, without copying them: the image lives no
// longer than the surface.
QImage frameImage(const FrameSurface& surface);

// The frame as the window shows it: frameImage converted by Qt, in one block,
// to an opaque format that draws right on every kind of window surface.
QImage displayImage(const FrameSurface& surface);

// The main window's client area: the picture at its top-left, the buttons
// (children added by MainWindow) to the right of it. Mouse presses, moves and
// wheel turns anywhere in it except on a button move the eye.
class RenderView : public QWidget {
    Q_OBJECT

public:
    explicit RenderView(QWidget* parent = nullptr);

    // Renders one frame of the program's globals and shows it before
    // returning.
    void renderNow();

signals:
    // Sent once for every frame rendered, after it is on the widget.
    void frameRendered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    FrameRenderer renderer{hardwareThreadCount()}; // its threads live as long as the view
};

} // namespace Quorvane
