#include "app/qt/MainWindow.h"

#include "app/Commands.h"
#include "app/FileMessages.h"
#include "app/FrameDriver.h"
#include "app/Globals.h"
#include "app/ModelFormats.h"
#include "app/ModelSwitch.h"
#include "app/qt/AboutDialog.h"
#include "app/qt/RenderView.h"
#include "import/OpenModel.h"
#include "tools/ImageFile.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>

#include <filesystem>
#include <fstream>

namespace Quorvane {

namespace {

// Qt names files in Unicode; the file system wants the local encoding.
std::filesystem::path localPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// "Models (*.obj *.stl ...);;Wavefront OBJ (*.obj);;...;;All files (*)"
QString openDialogFilter()
{
    QStringList filters;
    filters << QStringLiteral("Models (%1)").arg(QString::fromStdString(modelFilePatterns(" ")));
    for (const ModelFormat& format : modelFormats())
        filters << QStringLiteral("%1 (%2)").arg(
            QString::fromUtf8(format.name.data(), qsizetype(format.name.size())),
            QString::fromStdString(modelFilePatterns(format, " ")));
    filters << QStringLiteral("%1 (*)").arg(
        QString::fromUtf8(allFilesName.data(), qsizetype(allFilesName.size())));
    return filters.join(QStringLiteral(";;"));
}

// The one local file a drag carries, or an empty string.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    return data->urls().front().toLocalFile();
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Quorvane"));
    createMenu();

    view = new RenderView(this);
    setCentralWidget(view);
    for (const ButtonLayout& layout : mainWindowButtons) {
        QPushButton* button = addButton(layout);
        if (layout.commandId == commandToggle)
            toggleButton = button;
    }

    // The window itself, not the first button, holds the keyboard focus when
    // it first becomes active, as on Windows: Space must not switch views.
    // It keeps Qt's NoFocus policy, so that losing the focus to a clicked
    // button repaints nothing.
    setFocus();
    setAcceptDrops(true);

    // Until the window system tells the frame's size, the whole size is the
    // client's; fitOuterSize takes the frame off once it is known.
    resize(mainWindowSize);
}

void MainWindow::createMenu()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* openAction = fileMenu->addAction(QStringLiteral("&Open..."));
    openAction->setObjectName(QStringLiteral("openAction"));
    openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(openAction, &QAction::triggered, this, &MainWindow::chooseModelFile);
    QAction* saveAction = fileMenu->addAction(QStringLiteral("Save Frame &As..."));
    saveAction->setObjectName(QStringLiteral("saveFrameAction"));
    saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(saveAction, &QAction::triggered, this, &MainWindow::chooseFrameFile);
    fileMenu->addSeparator();
    QAction* exitAction = fileMenu->addAction(QStringLiteral("E&xit"));
    exitAction->setObjectName(QStringLiteral("exitAction"));
    connect(exitAction, &QAction::triggered, this, [this] { command(commandExit); });

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* aboutAction = helpMenu->addAction(QStringLiteral("&About ..."));
    aboutAction->setObjectName(QStringLiteral("aboutAction"));
    connect(aboutAction, &QAction::triggered, this, [this] { command(commandAbout); });

    // Shortcuts of the window rather than of the menu item, so that the item
    // reads "&About ..." and nothing more.
    for (const QKeyCombination keys : {Qt::ALT | Qt::Key_Question, Qt::ALT | Qt::Key_Slash}) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        connect(shortcut, &QShortcut::activated, this, [this] { command(commandAbout); });
    }
}

QPushButton* MainWindow::addButton(const ButtonLayout& layout)
{
    const int id = layout.commandId;
    auto* button = new QPushButton(QString::fromLatin1(layout.text), view);
    button->setGeometry(layout.x, layout.y, layout.width, layout.height);
    button->setProperty("commandId", id);
    connect(button, &QPushButton::clicked, this, [this, id] { command(id); });
    return button;
}

void MainWindow::command(int id)
{
    const CommandResult result = applyCommand(id, renderMode, shadingMode);
    switch (result.action) {
    case CommandAction::showAbout: {
        AboutDialog about(this);
        about.exec();
        break;
    }
    case CommandAction::exit:
        close();
        break;
    case CommandAction::repaint:
        if (result.toggleText)
            toggleButton->setText(QString::fromLatin1(result.toggleText));
        view->renderNow();
        break;
    case CommandAction::defaultProcessing:
        break;
    }
}

bool MainWindow::openModelFile(const QString& path)
{
    const std::filesystem::path file = localPath(path);
    OpenedModel opened = openModel(file);
    const std::string message = openMessage(file, opened);
    if (opened.outcome != OpenOutcome::failed) {
        const char* toggleText = showOpenedModel(std::move(opened.mesh),
                                                 {mesh, renderMode, shadingMode, camera, light, dragTracker});
        toggleButton->setText(QString::fromLatin1(toggleText));
        view->renderNow();
    }
    if (!message.empty())
        warn(message);
    return opened.outcome != OpenOutcome::failed;
}

bool MainWindow::saveFrame(const QString& path)
{
    const std::filesystem::path file = localPath(path);
    FrameSurface surface;
    renderFrame(surface, renderMode, shadingMode, camera, light, mesh);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out && writePng(surface, out))
        return true;
    warn(cannotSaveFrameMessage(file));
    return false;
}

void MainWindow::chooseModelFile()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open Model"), QString(), openDialogFilter());
    if (!path.isEmpty())
        openModelFile(path);
}

void MainWindow::chooseFrameFile()
{
    QFileDialog dialog(this, QStringLiteral("Save Frame As"), QString(), QStringLiteral("PNG image (*.png)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        saveFrame(dialog.selectedFiles().front());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openModelFile(path);
}

void MainWindow::warn(const std::string& message)
{
    QMessageBox::warning(this, QStringLiteral("Quorvane"), QString::fromStdString(message));
}

void MainWindow::warnAboutStartModel()
{
    if (meshLoadStatus == MeshLoadStatus::cannotOpen) {
        warnAboutMissingModel();
        return;
    }
    const std::string message = ownReaderMessage(modelPath, meshLoadStatus, mesh);
    if (!message.empty())
        warn(message);
}

void MainWindow::warnAboutMissingModel()
{
    const QString path = QString::fromStdString(modelPath.string());
    const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(path);
    QMessageBox::warning(this, QStringLiteral("Quorvane"),
                         QStringLiteral("Cannot open the model file \"%1\".\n\n"
                                        "Quorvane looked in the working directory (%2) and beside the "
                                        "program (%3). The picture stays black.")
                             .arg(path, QDir::currentPath(), besideProgram));
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitOuterSize();
}

// A window manager puts its frame around the window only after it is shown,
// and Qt learns the frame's size then, with a move of the client area.
void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    fitOuterSize();
}

void MainWindow::fitOuterSize()
{
    if (outerSizeFitted || !isVisible())
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isNull())
        return;
    outerSizeFitted = true;
    resize(mainWindowSize - frame);
}

// Closing the window, by Exit or by the close box, ends the program with code 0.
void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::exit(0);
}

} // namespace Quorvane
