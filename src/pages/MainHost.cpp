#include "MainHost.h"

#include "ReminderStore.h"

bool MainHost::report(StoreStatus status)
{
    if (status == StoreStatus::Ok)
        return true;
    showMessage(storeMessage(status));
    return false;
}

void MainHost::askForSelection()
{
    showMessage(QStringLiteral("Selecione um ítem primeiro!"));
}
