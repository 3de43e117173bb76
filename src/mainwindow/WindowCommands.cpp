#include "WindowCommands.h"

#include "Activation.h"
#include "EditTarget.h"
#include "MainHost.h"
#include "ReminderStore.h"
#include "WindowOwner.h"

#include <QWidget>

void WindowCommands::escrever()
{
    owner_.close(Secondary::VerLembrete);
    QWidget* editor = owner_.get(Secondary::Escrever);
    editor->show();
    owner_.place(Secondary::Escrever, host_.mainWindow());
    // The user opens an editor to type: its title box takes the keyboard at once.
    Activation::request(editor);
    if (auto* target = dynamic_cast<EditTarget*>(editor))
        target->focusTitle();
}

void WindowCommands::corrigir(std::optional<int> storeIndex)
{
    if (!storeIndex) {
        host_.askForSelection();
        return;
    }
    QWidget* editor = owner_.get(Secondary::Atualizar);
    auto* target = dynamic_cast<EditTarget*>(editor);
    if (target)
        target->fill(host_.store().reminderAt(*storeIndex));
    owner_.place(Secondary::Atualizar, host_.mainWindow());
    editor->show();
    Activation::request(editor);
    if (target)
        target->focusTitle();
    owner_.close(Secondary::VerLembrete);
}

void WindowCommands::ajuda()
{
    owner_.place(Secondary::Ajuda, host_.mainWindow());
    owner_.get(Secondary::Ajuda)->show();
    owner_.close(Secondary::Sobre);
}

void WindowCommands::sobre()
{
    owner_.place(Secondary::Sobre, host_.mainWindow());
    owner_.get(Secondary::Sobre)->show();
    owner_.close(Secondary::Ajuda);
}

void WindowCommands::closeAll()
{
    owner_.closeAll();
}
