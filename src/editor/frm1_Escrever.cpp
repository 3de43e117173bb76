#include "frm1_Escrever.h"

#include "CalendarioFrame.h"
#include "MainHost.h"

frm1_Escrever::frm1_Escrever(MainHost& host, const Clock& clock, QWidget* parent)
    : EditorWindow({.name = QStringLiteral("frm1_Escrever"),
                    .title = QStringLiteral("Escrever lembrete"),
                    .heading = "titulo_escrever",
                    .headingWidth = 870,
                    .dueLeft = 1000,
                    .dueWidth = 960,
                    .hintWidth = 960},
                   host, clock, parent)
{
}

StoreStatus frm1_Escrever::writeReminder(const Reminder& typed)
{
    return host_.store().append(typed);
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
