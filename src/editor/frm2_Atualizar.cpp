#include "frm2_Atualizar.h"

#include "MainHost.h"

frm2_Atualizar::frm2_Atualizar(MainHost& host, const Clock& clock, QWidget* parent)
    : EditorWindow({.name = QStringLiteral("frm2_Atualizar"),
                    .title = QStringLiteral("Corrigir lembrete"),
                    .heading = "titulo_atualizar",
                    .headingWidth = 1035,
                    .dueLeft = 1005,
                    .dueWidth = 840,
                    .hintWidth = 840},
                   host, clock, parent)
{
}

void frm2_Atualizar::fill(const Reminder& reminder)
{
    original_ = reminder;
    EditorWindow::fill(reminder);
}

// Its posting stamp and status as they were handed over: a status toggled since,
// here or on another computer, is not undone.
StoreStatus frm2_Atualizar::writeReminder(const Reminder& typed)
{
    Reminder edited = typed;
    edited.posted = original_.posted;
    edited.status = original_.status;
    return host_.store().replaceReminder(original_, edited);
}

void frm2_Atualizar::stored()
{
    host_.showMessage(kAtualizada);
    close();
}
