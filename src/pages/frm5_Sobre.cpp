#include "frm5_Sobre.h"

#include "Accessibility.h"
#include "ClickableLabel.h"
#include "HandCursor.h"
#include "PlainToolTip.h"
#include "TabChain.h"
#include "ui_frm5_Sobre.h"

#include <QDesktopServices>
#include <QLabel>

frm5_Sobre::frm5_Sobre(const QString& dataPath, QWidget* parent)
    : PageWindow(QStringLiteral("frm5_Sobre"), parent),
      urlOpener_([](const QUrl& url) { QDesktopServices::openUrl(url); })
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
    Accessibility::setLabelRole(lblBrenquivera, QAccessible::Link);
    connect(ClickableLabel::install(lblBrenquivera), &ClickableLabel::clicked, this,
            &frm5_Sobre::lblBrenquivera_Click);
    chainTabs({lblBrenquivera, btnFechar});
    lblBrenquivera->setFocus(Qt::OtherFocusReason);
}

void frm5_Sobre::lblBrenquivera_Click()
{
    urlOpener_(QUrl(QLatin1String(kAddress)));
}
