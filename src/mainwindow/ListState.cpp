#include "ListState.h"

#include "Reminder.h"

void ListState::showFirstPage(int n)
{
    const int last = n - 1;
    inicioRetorna_ = 0;
    inicioAvanca_ = last - kPageSize;
    const int shown = n <= kPageSize ? n : kPageSize;
    page_.clear();
    for (int a = last; a > last - shown; --a)
        page_.append(a);
    selected_.reset();
    avancaShown_ = n > kPageSize;
    retornaShown_ = false;
    total_ = n;
}

void ListState::showOlderPage()
{
    const int s = inicioAvanca_;
    page_.clear();
    for (int a = s; a > s - kPageSize; --a)
        if (a >= 0 && a < total_)
            page_.append(a);
    selected_.reset();
    inicioRetorna_ = s + 1;
    inicioAvanca_ = s - kPageSize;
    if (s - kPageSize < 0) {
        inicioAvanca_ = 0;
        retornaShown_ = true;
        avancaShown_ = false;
    } else {
        retornaShown_ = true;
        avancaShown_ = true;
    }
    ++setaMenos_;
}

void ListState::showNewerPage()
{
    const int r = inicioRetorna_;
    page_.clear();
    // The range check only matters if the list shrank without a first-page
    // refill; the pages then still never name a reminder that does not exist.
    for (int a = r + kLastRow; a >= r; --a)
        if (a >= 0 && a < total_)
            page_.append(a);
    selected_.reset();
    inicioAvanca_ = r - 1;
    inicioRetorna_ = r + kPageSize;
    retornaShown_ = r + kPageSize < total_;
    avancaShown_ = true;
    --setaMenos_;
}

void ListState::select(int position)
{
    if (position < 0 || position >= page_.size())
        return;
    selected_ = position;
    setaMais_ = position;
    // The first selection after coming back to the newest page forgets the way
    // back, as the first page has none.
    if (total_ == inicioRetorna_)
        inicioRetorna_ = 0;
    if (position == 1)
        setaMenos_ = 1;
}

void ListState::keepSelected(int position)
{
    if (position < 0 || position >= page_.size())
        return;
    selected_ = position;
    // The keys' page turns read where the selected row is.
    setaMais_ = position;
}

ListState::Turn ListState::keyDown(int key)
{
    // Before the first selection there is no row to turn from.
    if (!setaMais_)
        return Turn::None;
    if (key == Qt::Key_Down && *setaMais_ == kLastRow && avancaShown_) {
        showOlderPage();
        return Turn::Older;
    }
    if (key == Qt::Key_Up && selected_ == 0 && total_ > inicioRetorna_ && inicioRetorna_ > 0) {
        showNewerPage();
        select(0);
        return Turn::Newer;
    }
    return Turn::None;
}

std::optional<int> ListState::keyUp()
{
    if (!setaMais_ || *setaMais_ != 0 || setaMenos_ != 0 || page_.isEmpty())
        return std::nullopt;
    const int last = int(page_.size()) - 1;
    select(last);
    return last;
}

QString ListState::toggledStatus(const QString& status)
{
    return status == Reminder::kDone ? Reminder::kOpen : Reminder::kDone;
}

std::array<int, 2> ListState::toggleRefresh(int position) const
{
    const int away = position == 0 && page_.size() > 1 ? int(page_.size()) - 1 : 0;
    return {away, position};
}
