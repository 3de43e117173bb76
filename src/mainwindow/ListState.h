#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

// Which page of the reminder list is shown, which of its rows is selected and
// where the paging stands: the values the list's commands, the mouse and the
// keys read and write. No widgets; the main window renders it.
class ListState {
public:
    static constexpr int kPageSize = 15;
    // Position of the last row of a full page.
    static constexpr int kLastRow = kPageSize - 1;

    enum class Turn { None, Older, Newer };

    // Refills with the newest page of a list of n reminders.
    void showFirstPage(int n);
    // Refill with the next older / newer page. Callers check that one exists.
    void showOlderPage();
    void showNewerPage();

    // The rules that run whenever a row of the page becomes the selected one.
    void select(int position);
    // The reminder selected before the list changed elsewhere is at position
    // now: selected again, without the rules of a selection.
    void keepSelected(int position);

    // A key going down on the list, before the list's own handling. Newer also
    // selects row 0 of the page it shows; the caller runs the selection for it.
    Turn keyDown(int key);
    // A key released on the list: the row it selects, if any.
    std::optional<int> keyUp();

    // A double click's new status for a reminder that has `status`.
    static QString toggledStatus(const QString& status);
    // The rows the status toggle selects, in order, so the viewer shows the
    // change: away from `position`, then back.
    std::array<int, 2> toggleRefresh(int position) const;

    // Store indices of the rows shown, newest first.
    const QList<int>& page() const { return page_; }
    // Position of the selected row; nothing after a refill.
    std::optional<int> selected() const { return selected_; }
    int total() const { return total_; }
    bool avancaShown() const { return avancaShown_; }
    bool retornaShown() const { return retornaShown_; }
    int inicioAvanca() const { return inicioAvanca_; }
    int inicioRetorna() const { return inicioRetorna_; }
    int setaMenos() const { return setaMenos_; }
    std::optional<int> setaMais() const { return setaMais_; }

private:
    QList<int> page_;
    std::optional<int> selected_;
    // Number of reminders in the store at the last first-page refill.
    int total_ = 0;
    bool avancaShown_ = true;
    bool retornaShown_ = true;
    // Store index of the newest reminder of the next older page; 0 on the oldest page.
    int inicioAvanca_ = 0;
    // Store index of the oldest reminder of the next newer page; 0 or the total if none.
    int inicioRetorna_ = 0;
    // Pages turned older minus pages turned newer since start-up (a first-page
    // refill leaves it), set to 1 whenever row 1 is selected: Up on the top row
    // goes round to the last row only while it is 0.
    int setaMenos_ = 0;
    // Position (0 to 14) of the row selected last; nothing before the first selection.
    std::optional<int> setaMais_;
};
