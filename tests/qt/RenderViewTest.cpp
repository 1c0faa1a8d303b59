#include "app/qt/RenderView.h"
#include "app/FrameDriver.h"
#include "app/Globals.h"
#include "app/StartUp.h"
#include "app/qt/MainWindow.h"

#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Quorvane;

class RenderViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void frameImageShowsTheSurfaceWithoutCopying();
    void frameImageColoursComeOutRight_data();
    void frameImageColoursComeOutRight();
    void dragMovesTheEyeOneFramePerMove();
    void pressAndReleaseWithoutMovingRenderNothing();
    void moveWithoutPressRendersNothing();
    void rightButtonStartsNoDrag();
    void pressOnAButtonStartsNoDrag();
    void releaseOutsideTheWindowEndsTheDrag();
    void wheelStepsFartherWithExactFloats();
    void wheelStepsNearerWithExactFloats();
    void horizontalWheelIsIgnored();

private:
    QPoint windowPoint(QPoint viewPoint) const
    {
        return window->renderView()->mapTo(window.get(), viewPoint);
    }

    std::unique_ptr<MainWindow> window;
    RenderView* view = nullptr;
    Mesh model; // the program's model as loaded, restored before every test
};

void RenderViewTest::initTestCase()
{
    startUp(camera, light);
    model = mesh;
}

void RenderViewTest::init()
{
    renderMode = renderModeShaded;
    shadingMode = shadingModeFlat;
    dragTracker = DragTracker();
    applyStartValues(camera, light);
    mesh = model;
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    view = window->renderView();
}

void RenderViewTest::cleanup()
{
    window.reset();
    view = nullptr;
}

void RenderViewTest::frameImageShowsTheSurfaceWithoutCopying()
{
    const FrameSurface surface;
    const QImage image = frameImage(surface);
    QCOMPARE(image.size(), QSize(500, 500));
    QCOMPARE(image.constBits(), reinterpret_cast<const uchar*>(surface.pixels()));
    QCOMPARE(image.bytesPerLine(), 2000);
}

void RenderViewTest::frameImageColoursComeOutRight_data()
{
    QTest::addColumn<uint>("pixel");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("red") << 0x000000ffu << QColor(255, 0, 0);
    QTest::newRow("green") << 0x0000ff00u << QColor(0, 255, 0);
    QTest::newRow("blue") << 0x00ff0000u << QColor(0, 0, 255);
    QTest::newRow("white") << 0x00ffffffu << QColor(255, 255, 255);
    QTest::newRow("mixed") << 0x00306090u << QColor(0x90, 0x60, 0x30);
}

// The image over the surface reads 0x00BBGGRR as red, green and blue (its X
// byte stays 0, which QImage::pixel passes on as alpha); the image the window
// draws is opaque and keeps its colours on surfaces with and without alpha.
void RenderViewTest::frameImageColoursComeOutRight()
{
    QFETCH(uint, pixel);
    QFETCH(QColor, colour);
    FrameSurface surface;
    surface.setPixel(7, 3, pixel);
    QCOMPARE(frameImage(surface).pixel(7, 3) & 0x00ffffffu, colour.rgb() & 0x00ffffffu);

    const QImage shown = displayImage(surface);
    QCOMPARE(shown.pixel(7, 3), colour.rgb());
    QCOMPARE(shown.pixel(0, 0), qRgb(0, 0, 0));
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied,
                                        QImage::Format_ARGB32, QImage::Format_RGB888}) {
        QImage target(500, 500, format);
        target.fill(Qt::gray);
        QPainter(&target).drawImage(0, 0, shown);
        QCOMPARE(target.pixel(7, 3), colour.rgb());
        QCOMPARE(target.pixel(8, 3), qRgb(0, 0, 0));
    }
}

void RenderViewTest::dragMovesTheEyeOneFramePerMove()
{
    QSignalSpy frames(view, &RenderView::frameRendered);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 200));
    QCOMPARE(frames.count(), 0);
    QTest::mouseMove(view, QPoint(300, 250));
    QCOMPARE(frames.count(), 1);
    QCOMPARE(camera.position.x, 0.2f);
    QCOMPARE(camera.position.y, -0.1f);
    QCOMPARE(camera.position.z, 1.5f);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(300, 250));
    QCOMPARE(frames.count(), 1);

    // The picture on the widget is the frame of the moved eye.
    FrameSurface expected;
    renderFrame(expected, renderMode, shadingMode, camera, light, mesh);
    QCOMPARE(view->grab(pictureRect).toImage().convertToFormat(QImage::Format_RGB32), displayImage(expected));
}

void RenderViewTest::pressAndReleaseWithoutMovingRenderNothing()
{
    QSignalSpy frames(view, &RenderView::frameRendered);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(100, 100));
    QCoreApplication::processEvents();
    QCOMPARE(frames.count(), 0);
    QCOMPARE(camera.position.x, 0.0f);
    QCOMPARE(camera.position.y, 0.0f);
    QVERIFY(!dragTracker.pressed);
}

void RenderViewTest::moveWithoutPressRendersNothing()
{
    view->setMouseTracking(true);
    QSignalSpy frames(view, &RenderView::frameRendered);
    QTest::mouseMove(view, QPoint(10, 10));
    QTest::mouseMove(view, QPoint(300, 300));
    QCOMPARE(frames.count(), 0);
    QCOMPARE(camera.position.x, 0.0f);
}

void RenderViewTest::rightButtonStartsNoDrag()
{
    QTest::mousePress(view, Qt::RightButton, {}, QPoint(100, 100));
    QVERIFY(!dragTracker.pressed);
    QTest::mouseRelease(view, Qt::RightButton, {}, QPoint(100, 100));
}

void RenderViewTest::pressOnAButtonStartsNoDrag()
{
    const QList<QPushButton*> buttons = view->findChildren<QPushButton*>();
    QVERIFY(!buttons.isEmpty());
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {},
                      windowPoint(buttons.last()->geometry().center()));
    QVERIFY(!dragTracker.pressed);
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {},
                        windowPoint(buttons.last()->geometry().center()));
}

// Through the window, as the window system delivers them: Qt's implicit grab
// sends the release outside the window to the view, which ends the drag, so
// moving back without the button does not pan.
void RenderViewTest::releaseOutsideTheWindowEndsTheDrag()
{
    QWindow* handle = window->windowHandle();
    QSignalSpy frames(view, &RenderView::frameRendered);
    QTest::mousePress(handle, Qt::LeftButton, {}, windowPoint(QPoint(250, 250)));
    QVERIFY(dragTracker.pressed);
    QTest::mouseMove(handle, QPoint(-40, -60));
    QCOMPARE(frames.count(), 1);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(-40, -60));
    QVERIFY(!dragTracker.pressed);
    const Vector3 afterDrag = camera.position;

    QTest::mouseMove(handle, windowPoint(QPoint(100, 100)));
    QTest::mouseMove(handle, windowPoint(QPoint(200, 300)));
    QCOMPARE(frames.count(), 1);
    QCOMPARE(camera.position.x, afterDrag.x);
    QCOMPARE(camera.position.y, afterDrag.y);
}

namespace {

void turnWheel(QWidget* widget, QPoint angleDelta)
{
    const QPointF position(100, 100);
    QWheelEvent event(position, widget->mapToGlobal(position), QPoint(), angleDelta, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void RenderViewTest::wheelStepsFartherWithExactFloats()
{
    // The wheel tests count frames and check the eye, not pixels: without
    // faces each frame is quick even where the eye comes close to the model.
    mesh = Mesh();
    QSignalSpy frames(view, &RenderView::frameRendered);
    const float expected[] = {1.60000002f, 1.70000005f, 1.80000007f};
    for (int i = 0; i < 3; ++i) {
        turnWheel(view, QPoint(0, -120));
        QCOMPARE(frames.count(), i + 1);
        QCOMPARE(camera.position.z, expected[i]);
    }
}

void RenderViewTest::wheelStepsNearerWithExactFloats()
{
    mesh = Mesh();
    QSignalSpy frames(view, &RenderView::frameRendered);
    turnWheel(view, QPoint(0, 120));
    QCOMPARE(camera.position.z, 1.39999998f);
    // A small delta, as a fine-grained wheel sends, is a whole step too.
    turnWheel(view, QPoint(0, 15));
    QCOMPARE(camera.position.z, 1.29999995f);
    QCOMPARE(frames.count(), 2);
    for (int i = 0; i < 13; ++i)
        turnWheel(view, QPoint(0, 120));
    QCOMPARE(camera.position.z, -0x1.9cccccp-23f);
    QCOMPARE(frames.count(), 15);
}

void RenderViewTest::horizontalWheelIsIgnored()
{
    QSignalSpy frames(view, &RenderView::frameRendered);
    turnWheel(view, QPoint(120, 0));
    QCOMPARE(frames.count(), 0);
    QCOMPARE(camera.position.z, 1.5f);
}

QTEST_MAIN(RenderViewTest)
#include "RenderViewTest.moc"
