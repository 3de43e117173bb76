#include "ListState.h"

void ListState::showFirstPage(int n)
{
    const int last = n - 1;
    inicioRetorna_ = 0;
    inicioAvanca_ = last - kPageSize;
    const int shown = n <= kPageSize ? n : kPageSize;
    page_.clear();
    for (int a = last; a > last - shown; --a)
        page_.append(a);
    avancaShown_ = n > kPageSize;
    retornaShown_ = false;
    total_ = n;
}
