#include "app/Globals.h"
#include "app/StartUp.h"
#include "app/qt/ApplicationIcon.h"
#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <filesystem>

using namespace Quorvane;

namespace {

// loadMesh has already written its line to standard error; a user who started
// the program from a menu would not see it.
void warnAboutMissingModel(QWidget* window)
{
    const QString path = QString::fromStdString(modelPath.string());
    const QString besideProgram =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromStdString(modelPath.string()));
    QMessageBox::warning(window, QStringLiteral("Quorvane"),
                         QStringLiteral("Cannot open the model file \"%1\".\n\n"
                                        "Quorvane looked in the working directory (%2) and beside the "
                                        "program (%3). The picture stays black.")
                             .arg(path, QDir::currentPath(), besideProgram));
}

} // namespace

// The globals, with the model, exist already: they are made during static
// initialisation, before main runs.
int main(int argc, char* argv[])
{
    startUp(camera, light);

    QApplication app(argc, argv);
    QApplication::setWindowIcon(applicationIcon());
    MainWindow window;
    window.show();
    if (meshLoadStatus == MeshLoadStatus::cannotOpen)
        warnAboutMissingModel(&window);
    return app.exec();
}
