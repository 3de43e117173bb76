#pragma once

#include "EditTarget.h"
#include "PageWindow.h"
#include "Reminder.h"

class CalendarioFrame;
class Clock;
class DescriptionBox;
class MainHost;
class PictureButton;
class QLabel;
class QTimer;
class SpokenMessage;
class TitleBox;

// The two reminder editors, one window with two roles: frm1_Escrever writes new
// reminders and stays open for the next one; frm2_Atualizar corrects the
// reminder it was filled with and closes after a successful OK.
class EditorWindow : public PageWindow, public EditTarget {
    Q_OBJECT
public:
    enum class Role { Escrever, Atualizar };

    static constexpr int kMessageMs = 2000;
    static inline const QString kInserida = QStringLiteral("Entrada inserida com sucesso!");
    static inline const QString kVazio = QStringLiteral("O título não pode ficar vazio!");
    static inline const QString kAtualizada = QStringLiteral("Entrada atualizada!");

    EditorWindow(Role role, MainHost& host, const Clock& clock, QWidget* parent = nullptr);

    Role role() const { return role_; }
    // Restoring from the tray brings a new-reminder editor back while it holds a title.
    bool restoresWithMain() const override;

    // EditTarget: the reminder to correct, its title whole even past 45 characters.
    void fill(const Reminder& reminder) override;
    void focusTitle() override;

    QTimer* messageTimer() const { return Timer1; }
    CalendarioFrame* calendar() const { return frameCalendario; }

protected:
    // Escape parks an open calendar and does nothing else: what the user typed is
    // never thrown away by one key.
    void escape() override;

private:
    void buildControls();
    void wireKeys();
    // The boxes the calendar covers leave the Tab stops while it is out.
    void calendarMoved(bool parked);
    void btnOk_Click();
    void Timer1_Timer();
    void lblVencimento_Click();
    void casaClicked(int i);
    // `onMainLine`: the message shows the main window's message line too.
    void showTitleMessage(const QString& text, bool onMainLine);
    void messageEditedAway();
    void showDue(const QString& due);

    const Role role_;
    MainHost& host_;
    const Clock& clock_;

    TitleBox* txtTitulo = nullptr;
    DescriptionBox* txtDescricao = nullptr;
    QLabel* lblData = nullptr;
    QLabel* lblVencimento = nullptr;
    PictureButton* btnOk = nullptr;
    PictureButton* btnCalendario = nullptr;
    CalendarioFrame* frameCalendario = nullptr;
    QTimer* Timer1 = nullptr;
    SpokenMessage* spoken_ = nullptr;

    bool messageOnMainLine_ = false;
    // The reminder being corrected, as the opener handed it over.
    Reminder original_;
};
