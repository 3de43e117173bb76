#pragma once

#include "EditorWindow.h"

// The new-reminder editor: OK appends the reminder and the window stays open,
// emptied, for the next one.
class frm1_Escrever : public EditorWindow {
    Q_OBJECT
public:
    static inline const QString kInserida = QStringLiteral("Entrada inserida com sucesso!");

    frm1_Escrever(MainHost& host, const Clock& clock, QWidget* parent = nullptr);

    // Restoring from the tray brings it back while its title box is in use.
    bool restoresWithMain() const override { return titleInUse(); }

protected:
    StoreStatus writeReminder(const Reminder& typed) override;
    void stored() override;
    bool refusalOnMainLine() const override { return true; }
    void lblVencimento_Click() override;
};
