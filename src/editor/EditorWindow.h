#pragma once

#include "EditTarget.h"
#include "PageWindow.h"
#include "Reminder.h"
#include "ReminderStore.h"

#include <memory>

class CalendarioFrame;
class Clock;
class MainHost;
class QTimer;
class SpokenMessage;

namespace Ui {
class EditorWindow;
}

// What the two reminder editors share: the title and description boxes, the due
// date and its calendar, OK and the message in the title box. frm1_Escrever and
// frm2_Atualizar say what OK stores and what follows.
class EditorWindow : public EditTarget {
    Q_OBJECT
public:
    static inline const QString kVazio = QStringLiteral("O título não pode ficar vazio!");

    ~EditorWindow() override;

    // EditTarget: a reminder shown in the window, its title whole even past 45
    // characters.
    void fill(const Reminder& reminder) override;
    void focusTitle() override;

    CalendarioFrame* calendar() const { return frameCalendario; }

protected:
    // Where the two pages differ.
    struct Page {
        QString name;
        QString title;
        const char* heading;
        int headingWidth; // twips
        int dueLeft;      // twips
        int dueWidth;     // twips
        int hintWidth;    // twips, of "(Ilimitado)"
    };

    EditorWindow(const Page& page, MainHost& host, const Clock& clock, QWidget* parent);

    // Writes the reminder the window holds: typed is its due date, title and
    // description, the description's line breaks as CR LF.
    virtual StoreStatus writeReminder(const Reminder& typed) = 0;
    // After a successful store.
    virtual void stored() = 0;
    // Whether a refused title shows the main window's message line too.
    virtual bool refusalOnMainLine() const = 0;
    virtual void lblVencimento_Click();

    // Escape parks an open calendar and does nothing else: what the user typed is
    // never thrown away by one key.
    void escape() override;

    // `onMainLine`: the main window's message line is unhidden too, with
    // whatever it last said, as the design has it; the message's end, by the
    // timer or the user's first edit, hides it again.
    void showTitleMessage(const QString& text, bool onMainLine);
    void showDue(const QString& due);
    // The title box holds a title or shows a message.
    bool titleInUse() const;
    void clearDescription();

    MainHost& host_;
    CalendarioFrame* frameCalendario = nullptr;

private:
    void buildControls(const Page& page);
    void wireKeys();
    // The boxes the calendar covers leave the Tab stops while it is out.
    void calendarMoved(bool parked);
    void btnOk_Click();
    void Timer1_Timer();
    void messageEditedAway();
    // The message line unhidden with the message, hidden again; one this window
    // did not unhide is left alone.
    void hideMainLine();
    void casaClicked(int i);

    const Clock& clock_;
    const std::unique_ptr<Ui::EditorWindow> ui_;
    QTimer* Timer1 = nullptr;
    SpokenMessage* spoken_ = nullptr;
    bool messageOnMainLine_ = false;
};
