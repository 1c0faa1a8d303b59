#include "app/Globals.h"
#include "app/StartUp.h"
#include "app/qt/ApplicationIcon.h"
#include "app/qt/MainWindow.h"

#include <QApplication>

using namespace Quorvane;

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
        window.warnAboutMissingModel();
    return app.exec();
}
