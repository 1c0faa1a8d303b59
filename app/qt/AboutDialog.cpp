#include "app/qt/AboutDialog.h"

#include "app/qt/ApplicationIcon.h"

#include <QLabel>
#include <QPushButton>

namespace Quorvane {

// The box keeps the layout of its Windows twin: 170 x 62 dialog units of an
// 8-point dialog font, at 1.5 pixels per horizontal and 1.625 per vertical unit.
AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Quorvane"));
    setWindowIcon(applicationIcon());
    setFixedSize(255, 101);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    icon->setGeometry(21, 23, 32, 32);

    auto* text = new QLabel(QStringLiteral("Quorvane, Version 1.0"), this);
    text->setObjectName(QStringLiteral("versionLabel"));
    text->setTextFormat(Qt::PlainText);
    text->setGeometry(63, 23, 171, 16);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    ok->setGeometry(170, 67, 75, 23);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace Quorvane
