#pragma once

#include "app/MainWindowLayout.h"
#include "scene/Mesh.h"

#include <QMainWindow>

#include <string>

class QPushButton;

namespace Quorvane {

class RenderView;

// The outer size the window opens with, frame and caption included.
constexpr QSize mainWindowSize(mainWindowWidth, mainWindowHeight);

// The window titled "Quorvane": menu, the picture at the top-left of the
// client area and the four buttons to the right of it. Every button, menu item
// and accelerator arrives at command with its id.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Carries out one command; a change of mode renders one frame before it
    // returns, About returns when the box is closed.
    void command(int id);

    // Opens the model file path (as Qt names local files) and shows it from
    // the start view, rendering one frame. A file that cannot be opened keeps
    // the current model; that, and a model shown only in part, is told in a
    // message box naming the file. True when the model is shown.
    bool openModelFile(const QString& path);

    // Writes the frame the window shows, as PNG, to path: the same bytes as
    // quorvane-render's PNG of the same scene. A failure is told in a
    // message box. True when the file is written.
    bool saveFrame(const QString& path);

    // Tells the user in a message box when the start-up model, read by our
    // reader, is shown only in part or not at all: refused (not a regular
    // file, over a size limit), stopped (a face that is not a triangle, an
    // overlong line, a read error), empty or without faces. loadMesh has
    // written its line to standard error already, which a user who started
    // the program from a menu would not see.
    void warnAboutStartModel();

    // Tells the user that modelPath could not be opened and where the
    // program looked.
    void warnAboutMissingModel();

    RenderView* renderView() const { return view; }

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenu();
    QPushButton* addButton(const ButtonLayout& layout);
    void chooseModelFile();
    void chooseFrameFile();
    void fitOuterSize();
    void warn(const std::string& message);

    RenderView* view = nullptr;
    QPushButton* toggleButton = nullptr;
    bool outerSizeFitted = false;
};

} // namespace Quorvane
