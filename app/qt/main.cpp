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
    // quorvane PATH shows that file instead of the start-up model.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.openModelFile(arguments.at(1));
    else
        window.warnAboutStartModel();
    return app.exec();
}
