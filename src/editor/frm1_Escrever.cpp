#include "frm1_Escrever.h"

#include "CalendarioFrame.h"
#include "MainHost.h"

frm1_Escrever::frm1_Escrever(MainHost& host, const Clock& clock, QWidget* parent)
    : EditorWindow({QStringLiteral("frm1_Escrever"), QStringLiteral("Escrever lembrete"),
                    "titulo_escrever", 870, 1000, 960, 960},
                   host, clock, parent)
{
}

StoreStatus frm1_Escrever::store(const QString& title, const QString& due,
                                 const QString& description)
{
    return host_.store().append(due, title, description);
}

void frm1_Escrever::stored()
{
    showTitleMessage(kInserida, false);
    clearDescription();
    showDue(Reminder::kNoDue);
}

void frm1_Escrever::lblVencimento_Click()
{
    EditorWindow::lblVencimento_Click();
    frameCalendario->park();
}
