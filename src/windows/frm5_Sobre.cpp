#include "frm5_Sobre.h"

#include "HandCursor.h"
#include "PlainToolTip.h"
#include "ui_frm5_Sobre.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>

frm5_Sobre::UrlOpener& frm5_Sobre::urlOpener()
{
    static UrlOpener opener = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return opener;
}

frm5_Sobre::frm5_Sobre(const QString& dataPath, QWidget* parent)
    : PageWindow(QStringLiteral("frm5_Sobre"), parent)
{
    Ui::frm5_Sobre ui;
    ui.setupUi(this);
    applyHandCursor(this);

    const QString address = QLatin1String(kAddress);
    if (!dataPath.isEmpty())
        ui.Label4->setToolTip(plainToolTip(dataPath));
    ui.Label3->setText(QLatin1String(kAuthor));
    ui.Label5->setText(
        QStringLiteral("O Quivera Recordim! é um programa completamente intuitivo, todo "
                       "desenvolvido em ") +
        QLatin1String(kTool) +
        QStringLiteral(". É destinado apenas a postagens rápidas. Pessoas que necessitem de algo "
                       "mais sofisticado, devem procurar outro software."));
    lblBrenquivera = ui.lblBrenquivera;
    lblBrenquivera->setText(address);
    lblBrenquivera->setToolTip(QLatin1Char(' ') + address + QLatin1Char(' '));
    lblBrenquivera->installEventFilter(this);
}

bool frm5_Sobre::eventFilter(QObject* watched, QEvent* event)
{
    // A click is a left press and release over the link, as on any label.
    if (watched == lblBrenquivera && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            lblBrenquivera->rect().contains(mouse->position().toPoint()))
            lblBrenquivera_Click();
    }
    return PageWindow::eventFilter(watched, event);
}

void frm5_Sobre::lblBrenquivera_Click()
{
    urlOpener()(QUrl(QLatin1String(kAddress)));
}
