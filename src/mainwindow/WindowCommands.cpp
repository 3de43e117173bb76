#include "WindowCommands.h"

#include "Activation.h"
#include "MainHost.h"
#include "ReminderStore.h"
#include "SecondaryWindows.h"

void WindowCommands::escrever()
{
    windows_.verLembrete.close();
    EditTarget& editor = windows_.escrever.get();
    editor.show();
    windows_.escrever.place(host_.mainWindow());
    // The user opens an editor to type: its title box takes the keyboard at once.
    Activation::request(&editor);
    editor.focusTitle();
}

void WindowCommands::corrigir(std::optional<int> storeIndex)
{
    if (!storeIndex) {
        host_.askForSelection();
        return;
    }
    EditTarget& editor = windows_.atualizar.get();
    editor.fill(host_.store().reminderAt(*storeIndex));
    windows_.atualizar.place(host_.mainWindow());
    editor.show();
    Activation::request(&editor);
    editor.focusTitle();
    windows_.verLembrete.close();
}

void WindowCommands::ajuda()
{
    windows_.ajuda.place(host_.mainWindow());
    windows_.ajuda.get().show();
    windows_.sobre.close();
}

void WindowCommands::sobre()
{
    windows_.sobre.place(host_.mainWindow());
    windows_.sobre.get().show();
    windows_.ajuda.close();
}

void WindowCommands::closeAll()
{
    windows_.owner.closeAll();
}
