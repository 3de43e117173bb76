#pragma once

#include "EditorWindow.h"

// The correction editor: filled with a reminder, OK writes the reminder back and
// the window closes.
class frm2_Atualizar : public EditorWindow {
    Q_OBJECT
public:
    static inline const QString kAtualizada = QStringLiteral("Entrada atualizada!");

    frm2_Atualizar(MainHost& host, const Clock& clock, QWidget* parent = nullptr);

    void fill(const Reminder& reminder) override;

protected:
    StoreStatus writeReminder(const Reminder& typed) override;
    void stored() override;
    bool refusalOnMainLine() const override { return false; }

private:
    // The reminder being corrected, as the opener handed it over.
    Reminder original_;
};
