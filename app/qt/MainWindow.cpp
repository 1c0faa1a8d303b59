#include "app/qt/MainWindow.h"

#include "app/Commands.h"
#include "app/Globals.h"
#include "app/qt/AboutDialog.h"
#include "app/qt/RenderView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

namespace Quorvane {

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

    // Until the window system tells the frame's size, the whole size is the
    // client's; showEvent takes the frame off.
    resize(mainWindowSize);
}

void MainWindow::createMenu()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
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
    if (outerSizeFitted)
        return;
    outerSizeFitted = true;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (!frame.isNull())
        resize(mainWindowSize - frame);
}

// Closing the window, by Exit or by the close box, ends the program with code 0.
void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::exit(0);
}

} // namespace Quorvane
