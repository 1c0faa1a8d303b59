#pragma once

#include "app/MainWindowLayout.h"

#include <QMainWindow>

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

    // Tells the user, in a modal message box over the window, that modelPath
    // could not be opened and where the program looked. loadMesh has written
    // its line to standard error already, which a user who started the
    // program from a menu would not see.
    void warnAboutMissingModel();

    RenderView* renderView() const { return view; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenu();
    QPushButton* addButton(const ButtonLayout& layout);

    RenderView* view = nullptr;
    QPushButton* toggleButton = nullptr;
    bool outerSizeFitted = false;
};

} // namespace Quorvane
