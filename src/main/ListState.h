#pragma once

#include <QList>

#include <optional>

// Which page of the reminder list is shown and where the paging stands: the
// values the list's commands and keys read and write. No widgets; the main
// window renders it.
class ListState {
public:
    static constexpr int kPageSize = 15;

    // Refills with the newest page of a list of n reminders.
    void showFirstPage(int n);

    // Store indices of the rows shown, newest first.
    const QList<int>& page() const { return page_; }
    int total() const { return total_; }
    bool avancaShown() const { return avancaShown_; }
    bool retornaShown() const { return retornaShown_; }
    int inicioAvanca() const { return inicioAvanca_; }
    int inicioRetorna() const { return inicioRetorna_; }
    int setaMenos() const { return setaMenos_; }
    std::optional<int> setaMais() const { return setaMais_; }

protected:
    QList<int> page_;
    int total_ = 0;
    bool avancaShown_ = true;
    bool retornaShown_ = true;
    int inicioAvanca_ = 0;
    int inicioRetorna_ = 0;
    int setaMenos_ = 0;
    std::optional<int> setaMais_;
};
