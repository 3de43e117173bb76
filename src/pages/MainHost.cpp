#include "MainHost.h"

#include "ReminderStore.h"
#include "StoreStatusText.h"

bool MainHost::report(StoreStatus status)
{
    if (status == StoreStatus::Ok)
        return true;
    showMessage(storeStatusText(status));
    return false;
}

void MainHost::askForSelection()
{
    showMessage(storeStatusText(StoreStatus::NoSuchRow));
}
