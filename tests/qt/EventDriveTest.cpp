// The window driven by a thousand actions from a fixed pseudo-random
// sequence: clicks on the picture and on the buttons, drags, wheel turns and
// key presses, none of which opens a dialog. Under the asan preset any
// sanitizer report ends the process and fails the test; afterwards the window
// must still show the frame its scene gives.

#include "app/FrameDriver.h"
#include "app/Globals.h"
#include "app/StartUp.h"
#include "app/qt/MainWindow.h"
#include "app/qt/RenderView.h"
#include "bench/SphereModel.h"
#include "scene/ObjParser.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <random>

using namespace Quorvane;

class EventDriveTest : public QObject {
    Q_OBJECT

private slots:
    void aThousandActionsLeaveAWindowThatRenders();
};

namespace {

constexpr int actions = 1000;

// Keys without modifiers: none of them is a shortcut that opens a dialog.
constexpr std::array<Qt::Key, 10> keys = {Qt::Key_A,     Qt::Key_M,      Qt::Key_Z,      Qt::Key_1,
                                          Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab,
                                          Qt::Key_Left,  Qt::Key_Up};

void turnWheel(QWidget* widget, QPoint position, int angle)
{
    QWheelEvent event(position, widget->mapToGlobal(QPointF(position)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void EventDriveTest::aThousandActionsLeaveAWindowThatRenders()
{
    startUp(camera, light);
    // A small sphere instead of the head, so that the frames of a thousand
    // actions take seconds under the sanitizers.
    mesh = Mesh();
    parseObjText(sphereObjText(12, 16), mesh);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    RenderView* view = window.renderView();
    const QList<QPushButton*> buttons = view->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 4);

    // Most actions move the eye or change the view, each with one frame.
    QSignalSpy drivenFrames(view, &RenderView::frameRendered);
    std::minstd_rand random(2026);
    const auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto anywhere = [&] { return QPoint(below(view->width()), below(view->height())); };
    for (int i = 0; i < actions; ++i) {
        switch (below(5)) {
        case 0:
            QTest::mouseClick(view, Qt::LeftButton, {}, anywhere());
            break;
        case 1:
            QTest::mousePress(view, Qt::LeftButton, {}, anywhere());
            QTest::mouseMove(view, anywhere());
            QTest::mouseRelease(view, Qt::LeftButton, {}, anywhere());
            break;
        case 2:
            turnWheel(view, anywhere(), below(2) ? 120 : -120);
            break;
        case 3:
            QTest::keyClick(&window, keys[static_cast<std::size_t>(below(static_cast<int>(keys.size())))]);
            break;
        default:
            QTest::mouseClick(buttons[below(4)], Qt::LeftButton);
            break;
        }
    }

    qInfo("%d frames in %d actions", static_cast<int>(drivenFrames.count()), actions);
    QVERIFY(drivenFrames.count() > actions / 2);

    applyStartValues(camera, light);
    renderMode = renderModeShaded;
    QSignalSpy frames(view, &RenderView::frameRendered);
    view->renderNow();
    QCOMPARE(frames.count(), 1);
    FrameSurface expected;
    renderFrame(expected, renderMode, shadingMode, camera, light, mesh);
    QVERIFY(std::any_of(expected.pixels(), expected.pixels() + 500 * 500,
                        [](std::uint32_t p) { return p != 0; }));
    QCOMPARE(view->grab(pictureRect).toImage().convertToFormat(QImage::Format_RGB32), displayImage(expected));
}

QTEST_MAIN(EventDriveTest)
#include "EventDriveTest.moc"
