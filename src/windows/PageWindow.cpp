#include "PageWindow.h"

#include "PictureButton.h"
#include "TaskbarHint.h"
#include "Twips.h"
#include "WindowDragger.h"

PageWindow::PageWindow(const QString& name, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(name);
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(kSize);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    btnFechar = new PictureButton(this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    btnFechar->setGeometry(Twips::rect(2780, 100, 390, 375));
    btnFechar->setToolTip(QStringLiteral(" Fechar "));
    connect(btnFechar, &PictureButton::clicked, this, &QWidget::close);

    WindowDragger::install(this);
    TaskbarHint::keepOut(this);
}
