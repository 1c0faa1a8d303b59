#include "app/qt/MainWindow.h"
#include "app/Commands.h"
#include "app/FileMessages.h"
#include "app/FrameDriver.h"
#include "app/Globals.h"
#include "app/StartUp.h"
#include "app/qt/ApplicationIcon.h"
#include "app/qt/RenderView.h"
#include "import/OpenModel.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>

using namespace Quorvane;

namespace {

QPushButton* buttonNamed(const MainWindow& window, const QString& text)
{
    for (QPushButton* button : window.renderView()->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// Runs check on the modal dialog as soon as it is open, polling from whatever
// event loop runs next (the dialog's own, once it is open). check closes it;
// should a check fail first, the dialog is closed here so that the test ends
// instead of hanging. The poll belongs to context and ends with it.
void whenDialogOpens(QObject* context, std::function<void(QDialog*)> check)
{
    auto* poll = new QTimer(context);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, check] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        check(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll->start();
}

// Ends a QApplication::exec() that nothing else ends, with a code the program
// never uses, so that only the program's own exit passes.
class ExecGuard {
public:
    ExecGuard()
    {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        timer.start(10000);
    }

private:
    QTimer timer;
};

// A model our reader stops on (the second face is a quadrilateral), which
// the importer reads whole.
const char* quadModel = "v -0.5 -0.5 0\nv 0.5 -0.5 0\nv 0.5 0.5 0\nv -0.5 0.5 0\nvn 0 0 1\n"
                        "f 1//1 2//1 3//1\nf 1//1 2//1 3//1 4//1\n";

QString writeFile(const QTemporaryDir& directory, const QString& name, const QByteArray& bytes)
{
    const QString path = directory.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// The text of the message box that action opens; the box is closed with Enter.
QString messageBoxText(QObject* context, const std::function<void()>& action)
{
    QString text;
    whenDialogOpens(context, [&text](QDialog* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            text = box->text();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    action();
    return text;
}

// Picks path in the file dialog that action opens.
void chooseInFileDialog(QObject* context, const QString& path, const std::function<void()>& action)
{
    whenDialogOpens(context, [path](QDialog* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(files);
        files->selectFile(path);
        // selectFile leaves the name field alone while it has the focus, which
        // it has or not depending on the dialogs before: type it, as a user would.
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        // QFileDialog makes accept protected; through QDialog it is the same call.
        static_cast<QDialog*>(files)->accept();
    });
    action();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensWithTitleSizeAndIcon();
    void iconIsTheWindowsIconsHead();
    void menuHasExitAndAbout();
    void buttonsHaveTheirTextsAndPlaces();
    void eachButtonRendersOneFrameAndSetsTheMode_data();
    void eachButtonRendersOneFrameAndSetsTheMode();
    void twoTogglesReturnToMesh();
    void shadingChosenInWireframeShowsOnReturn();
    void unknownCommandRendersNothing();
    void pictureIsTheRenderersFrame();
    void resizingKeepsPictureAndButtons();
    void aboutOpensAndCloses_data();
    void aboutOpensAndCloses();
    void acceleratorsOpenAbout_data();
    void acceleratorsOpenAbout();
    void missingModelWarningNamesTheFile();
    void opensAModelFromTheStartView_data();
    void opensAModelFromTheStartView();
    void failedOpenKeepsTheModel();
    void saveFrameWritesTheRenderersPng();
    void startModelShownInPartIsTold();
    void windowHasTheFocusAtStartUp();
    void refusedStartModelIsTold();
    void exitEndsWithCodeZero();
    void closeBoxEndsWithCodeZero();

private:
    std::unique_ptr<MainWindow> window;
};

void MainWindowTest::initTestCase()
{
    startUp(camera, light);
    QApplication::setWindowIcon(applicationIcon());
}

void MainWindowTest::init()
{
    renderMode = renderModeShaded;
    shadingMode = shadingModeFlat;
    dragTracker = DragTracker();
    applyStartValues(camera, light);
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void MainWindowTest::cleanup()
{
    window.reset();
    // Put back the start-up model for the next test.
    mesh = Mesh();
    meshLoadStatus = loadMesh(modelPath.string().c_str(), mesh);
}

void MainWindowTest::opensWithTitleSizeAndIcon()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(window->frameGeometry().size(), mainWindowSize);
    QVERIFY(!window->windowIcon().isNull());
    QVERIFY(window->windowIcon().availableSizes().contains(QSize(16, 16)));
    QVERIFY(window->windowIcon().availableSizes().contains(QSize(256, 256)));
    // The picture starts right below the menu bar, at the client area's corner.
    QCOMPARE(window->renderView()->mapTo(window.get(), QPoint(0, 0)), QPoint(0, window->menuBar()->height()));
}

// Both programs show the same head: the Linux PNGs are the Windows icon
// file's 32-bit images (its last five, 256 to 16 pixels). Compared
// premultiplied, the form Qt's icon reader gives.
void MainWindowTest::iconIsTheWindowsIconsHead()
{
    QImageReader windowsIcon(QStringLiteral("app/win32/icons/Quorvane.ico"));
    QCOMPARE(windowsIcon.imageCount(), 9);
    const int sizes[] = {256, 64, 48, 32, 16};
    for (int i = 0; i < 5; ++i) {
        QVERIFY(windowsIcon.jumpToImage(4 + i));
        const QImage expected = windowsIcon.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage shipped(QStringLiteral(":/icons/quorvane-%1.png").arg(sizes[i]));
        QCOMPARE(expected.size(), QSize(sizes[i], sizes[i]));
        QCOMPARE(shipped.convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
    }
}

void MainWindowTest::menuHasExitAndAbout()
{
    const QList<QAction*> menus = window->menuBar()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
    QCOMPARE(menus[1]->text(), QStringLiteral("&Help"));
    const QList<QAction*> fileItems = menus[0]->menu()->actions();
    const QList<QAction*> helpItems = menus[1]->menu()->actions();
    QCOMPARE(fileItems.size(), 4);
    QCOMPARE(fileItems[0]->text(), QStringLiteral("&Open..."));
    QCOMPARE(fileItems[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(fileItems[1]->text(), QStringLiteral("Save Frame &As..."));
    QCOMPARE(fileItems[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QVERIFY(fileItems[2]->isSeparator());
    QCOMPARE(fileItems[3]->text(), QStringLiteral("E&xit"));
    QCOMPARE(helpItems.size(), 1);
    QCOMPARE(helpItems[0]->text(), QStringLiteral("&About ..."));
}

void MainWindowTest::buttonsHaveTheirTextsAndPlaces()
{
    const struct {
        const char* text;
        int id;
        QRect geometry;
    } expected[] = {
        {"Mesh", commandToggle, QRect(500, 0, 115, 30)},
        {"Flat Shading", commandFlatShading, QRect(500, 50, 115, 30)},
        {"Gouraud Shading", commandGouraudShading, QRect(500, 80, 115, 30)},
        {"Phong Shading", commandPhongShading, QRect(500, 110, 115, 30)},
    };
    const QList<QPushButton*> buttons = window->renderView()->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(buttons[i]->text(), QString::fromLatin1(expected[i].text));
        QCOMPARE(buttons[i]->geometry(), expected[i].geometry);
        QCOMPARE(buttons[i]->property("commandId").toInt(), expected[i].id);
        QVERIFY(buttons[i]->isVisible());
        QVERIFY(!buttons[i]->isCheckable());
        QVERIFY(!buttons[i]->isFlat());
        QVERIFY(!buttons[i]->isDefault());
    }
}

void MainWindowTest::eachButtonRendersOneFrameAndSetsTheMode_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("expectedRenderMode");
    QTest::addColumn<int>("expectedShadingMode");
    QTest::addColumn<QString>("expectedToggleText");
    QTest::newRow("toggle") << "Mesh" << renderModeWireframe << shadingModeFlat << "Color";
    QTest::newRow("flat") << "Flat Shading" << renderModeShaded << shadingModeFlat << "Mesh";
    QTest::newRow("gouraud") << "Gouraud Shading" << renderModeShaded << shadingModeGouraud << "Mesh";
    QTest::newRow("phong") << "Phong Shading" << renderModeShaded << shadingModePhong << "Mesh";
}

void MainWindowTest::eachButtonRendersOneFrameAndSetsTheMode()
{
    QFETCH(QString, button);
    QFETCH(int, expectedRenderMode);
    QFETCH(int, expectedShadingMode);
    QFETCH(QString, expectedToggleText);

    QPushButton* target = buttonNamed(*window, button);
    QVERIFY(target);
    QSignalSpy frames(window->renderView(), &RenderView::frameRendered);
    QTest::mouseClick(target, Qt::LeftButton);
    // Rendered before the click returned, not queued.
    QCOMPARE(frames.count(), 1);
    QCOMPARE(renderMode, expectedRenderMode);
    QCOMPARE(shadingMode, expectedShadingMode);
    QVERIFY(buttonNamed(*window, expectedToggleText));

    // Repainting the button's new look renders no second frame.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(frames.count(), 1);
}

void MainWindowTest::twoTogglesReturnToMesh()
{
    QPushButton* toggle = buttonNamed(*window, QStringLiteral("Mesh"));
    QVERIFY(toggle);
    QSignalSpy frames(window->renderView(), &RenderView::frameRendered);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QStringLiteral("Color"));
    QCOMPARE(renderMode, renderModeWireframe);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QStringLiteral("Mesh"));
    QCOMPARE(renderMode, renderModeShaded);
    QCOMPARE(frames.count(), 2);
}

void MainWindowTest::shadingChosenInWireframeShowsOnReturn()
{
    window->command(commandToggle);
    window->command(commandPhongShading);
    QCOMPARE(renderMode, renderModeWireframe);
    QCOMPARE(shadingMode, shadingModePhong);
    window->command(commandToggle);
    QCOMPARE(renderMode, renderModeShaded);
    QCOMPARE(shadingMode, shadingModePhong);
}

void MainWindowTest::unknownCommandRendersNothing()
{
    QSignalSpy frames(window->renderView(), &RenderView::frameRendered);
    window->command(3300);
    window->command(106);
    QCOMPARE(frames.count(), 0);
    QVERIFY(window->isVisible());
}

void MainWindowTest::pictureIsTheRenderersFrame()
{
    window->command(commandGouraudShading);
    FrameSurface expected;
    renderFrame(expected, renderMode, shadingMode, camera, light, mesh);
    const QImage shown =
        window->renderView()->grab(pictureRect).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, displayImage(expected));
}

void MainWindowTest::resizingKeepsPictureAndButtons()
{
    const QList<QPushButton*> buttons = window->renderView()->findChildren<QPushButton*>();
    QList<QRect> places;
    for (const QPushButton* button : buttons)
        places.append(button->geometry());

    for (const QSize size : {QSize(900, 760), QSize(320, 240)}) {
        QSignalSpy frames(window->renderView(), &RenderView::frameRendered);
        window->resize(size);
        QTRY_VERIFY_WITH_TIMEOUT(window->size() == size, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() >= 1, 5000);
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(buttons[i]->geometry(), places[i]);
    }
    // The picture keeps its size, unscaled, even when the window cannot show it all.
    window->resize(900, 760);
    QTRY_VERIFY_WITH_TIMEOUT(window->size() == QSize(900, 760), 5000);
    FrameSurface expected;
    renderFrame(expected, renderMode, shadingMode, camera, light, mesh);
    const QImage shown =
        window->renderView()->grab(pictureRect).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, displayImage(expected));
}

void MainWindowTest::aboutOpensAndCloses_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expectedResult");
    QTest::newRow("enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    QTest::newRow("close box") << 0 << int(QDialog::Rejected);
}

void MainWindowTest::aboutOpensAndCloses()
{
    QFETCH(int, key);
    QFETCH(int, expectedResult);

    bool checked = false;
    int result = -1;
    whenDialogOpens(window.get(), [&](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("About Quorvane"));
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->parentWidget(), window.get());
        const auto* text = dialog->findChild<QLabel*>(QStringLiteral("versionLabel"));
        QVERIFY(text);
        QCOMPARE(text->text(), QStringLiteral("Quorvane, Version 1.0"));
        const auto* icon = dialog->findChild<QLabel*>(QStringLiteral("iconLabel"));
        QVERIFY(icon);
        QVERIFY(!icon->pixmap().isNull());
        const auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okButton"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        connect(dialog, &QDialog::finished, [&result](int r) { result = r; });
        checked = true;
        if (key != 0)
            QTest::keyClick(dialog, Qt::Key(key));
        else
            dialog->close();
    });
    QAction* about = window->findChild<QAction*>(QStringLiteral("aboutAction"));
    QVERIFY(about);
    about->trigger();
    // trigger() returns once the modal box has closed.
    QVERIFY(checked);
    QCOMPARE(result, expectedResult);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(window->isVisible());
}

void MainWindowTest::acceleratorsOpenAbout_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Alt+?") << int(Qt::Key_Question);
    QTest::newRow("Alt+/") << int(Qt::Key_Slash);
}

void MainWindowTest::acceleratorsOpenAbout()
{
    QFETCH(int, key);
    QString title;
    whenDialogOpens(window.get(), [&title](QDialog* dialog) {
        title = dialog->windowTitle();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QTest::keyClick(window->windowHandle(), Qt::Key(key), Qt::AltModifier);
    QCOMPARE(title, QStringLiteral("About Quorvane"));
}

void MainWindowTest::missingModelWarningNamesTheFile()
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenDialogOpens(window.get(), [&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QVERIFY(box);
        QCOMPARE(box->parentWidget(), window.get());
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        QTest::keyClick(box, Qt::Key_Return);
    });
    window->warnAboutMissingModel();
    QCOMPARE(title, QStringLiteral("Quorvane"));
    QCOMPARE(icon, QMessageBox::Warning);
    QVERIFY2(text.contains(QStringLiteral("\"%1\"").arg(QString::fromStdString(modelPath.string()))),
             qPrintable(text));
    QVERIFY(window->isVisible());
}

void MainWindowTest::opensAModelFromTheStartView_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("dialog") << "dialog";
    QTest::newRow("drop") << "drop";
}

// The command line goes through openModelFile too; WindowInXvfbTest starts
// the program with a path.
void MainWindowTest::opensAModelFromTheStartView()
{
    QFETCH(QString, way);
    QTemporaryDir directory;
    const QString path = writeFile(directory, QStringLiteral("quads.obj"), quadModel);
    window->command(commandToggle);
    window->command(commandPhongShading);
    camera.position = Vector3(0.3f, 0.2f, 1.1f);

    QSignalSpy frames(window->renderView(), &RenderView::frameRendered);
    if (way == QStringLiteral("dialog")) {
        chooseInFileDialog(window.get(), path,
                           [this] { window->findChild<QAction*>(QStringLiteral("openAction"))->trigger(); });
    } else {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
    }
    QCOMPARE(frames.count(), 1);
    const OpenedModel expected = openModel(path.toStdString());
    QCOMPARE(mesh.faceVertexIndices.size(), std::size_t{3});
    QCOMPARE(mesh.vertices.size(), expected.mesh.vertices.size());
    QCOMPARE(camera.position.x, 0.0f);
    QCOMPARE(camera.position.z, 1.5f);
    QCOMPARE(renderMode, renderModeShaded);
    QCOMPARE(shadingMode, shadingModeFlat);
    QVERIFY(buttonNamed(*window, QStringLiteral("Mesh")));
}

void MainWindowTest::failedOpenKeepsTheModel()
{
    QTemporaryDir directory;
    const QString path = writeFile(directory, QStringLiteral("junk.stl"), "solid? no");
    const std::size_t faces = mesh.faceVertexIndices.size();
    camera.position = Vector3(0.3f, 0.2f, 1.1f);
    QSignalSpy frames(window->renderView(), &RenderView::frameRendered);
    const QString text = messageBoxText(window.get(), [&] { QVERIFY(!window->openModelFile(path)); });
    QVERIFY2(text.startsWith(QStringLiteral("Cannot open \"%1\": ").arg(path)), qPrintable(text));
    QVERIFY(text.endsWith(QStringLiteral(".")));
    QCOMPARE(mesh.faceVertexIndices.size(), faces);
    QCOMPARE(camera.position.x, 0.3f);
    QCOMPARE(frames.count(), 0);
}

// Byte for byte the PNG of quorvane-render, the separate program, given the
// same model, view and eye.
void MainWindowTest::saveFrameWritesTheRenderersPng()
{
    QTemporaryDir directory;
    window->command(commandGouraudShading);
    camera.position = Vector3(0.25f, -0.125f, 1.5f);
    const QString saved = directory.filePath(QStringLiteral("saved"));
    chooseInFileDialog(window.get(), saved,
                       [this] { window->findChild<QAction*>(QStringLiteral("saveFrameAction"))->trigger(); });
    const QString reference = directory.filePath(QStringLiteral("reference.png"));
    QCOMPARE(QProcess::execute(QStringLiteral(QUORVANE_RENDER_TOOL),
                               {QStringLiteral("--model"), QString::fromStdString(modelPath.string()),
                                QStringLiteral("--view"), QStringLiteral("gouraud"), QStringLiteral("--eye"),
                                QStringLiteral("0.25"), QStringLiteral("-0.125"), QStringLiteral("1.5"),
                                QStringLiteral("--out"), reference}),
             0);
    QFile savedFile(saved + QStringLiteral(".png"));
    QFile referenceFile(reference);
    QVERIFY(savedFile.open(QIODevice::ReadOnly));
    QVERIFY(referenceFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = savedFile.readAll();
    QVERIFY(bytes.size() > 1000);
    QVERIFY(bytes == referenceFile.readAll());

    const QString unwritable = directory.filePath(QStringLiteral("no-such-directory/frame.png"));
    const QString text = messageBoxText(window.get(), [&] { QVERIFY(!window->saveFrame(unwritable)); });
    QCOMPARE(text,
             QStringLiteral("Cannot write \"%1\": the file cannot be created or written.").arg(unwritable));
}

void MainWindowTest::startModelShownInPartIsTold()
{
    meshLoadStatus = MeshLoadStatus::notTriangulated;
    const QString text = messageBoxText(window.get(), [this] { window->warnAboutStartModel(); });
    QVERIFY2(text.startsWith(QStringLiteral("\"%1\" is shown only in part: a face is not a triangle")
                                 .arg(QString::fromStdString(modelPath.string()))),
             qPrintable(text));
    meshLoadStatus = MeshLoadStatus::loaded;
    // A complete model opens no box (one that did would be closed and read).
    QCOMPARE(messageBoxText(window.get(), [this] { window->warnAboutStartModel(); }), QString());
}

// Space would click a focused button; at start-up it must not switch views.
void MainWindowTest::windowHasTheFocusAtStartUp()
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), window.get());
    QTest::keyClick(window.get(), Qt::Key_Space);
    QCOMPARE(renderMode, renderModeShaded);
}

// A refused start model (here: not a regular file) is named with the reason.
void MainWindowTest::refusedStartModelIsTold()
{
    meshLoadStatus = MeshLoadStatus::notARegularFile;
    const QString text = messageBoxText(window.get(), [this] { window->warnAboutStartModel(); });
    meshLoadStatus = MeshLoadStatus::loaded;
    QCOMPARE(text,
             QStringLiteral(
                 "Cannot open \"%1\": it is not a regular file but a directory, device, FIFO or socket.")
                 .arg(QString::fromStdString(displayPath(modelPath))));
}

void MainWindowTest::exitEndsWithCodeZero()
{
    QAction* exit = window->findChild<QAction*>(QStringLiteral("exitAction"));
    QVERIFY(exit);
    const ExecGuard guard;
    QTimer::singleShot(0, exit, &QAction::trigger);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
}

void MainWindowTest::closeBoxEndsWithCodeZero()
{
    const ExecGuard guard;
    QTimer::singleShot(0, window.get(), &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
