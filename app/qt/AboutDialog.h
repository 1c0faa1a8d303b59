#pragma once

#include <QDialog>

namespace Quorvane {

// The modal box "About Quorvane": the application icon, "Quorvane, Version 1.0"
// and a default "OK" button. Enter, Escape and the close box all close it.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace Quorvane
