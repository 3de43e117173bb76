#pragma once

#include "EditTarget.h"
#include "WindowOwner.h"
#include "frm3_verLembrete.h"

// The five secondary windows as the main window reaches them: the editors as
// what an edit targets, the viewer as itself, help and about as pages. Each
// enlists with the owner, which does what concerns them all.
struct SecondaryWindows {
    WindowOwner& owner;
    Owned<EditTarget> escrever;
    Owned<EditTarget> atualizar;
    Owned<frm3_verLembrete> verLembrete;
    Owned<PageWindow> ajuda;
    Owned<PageWindow> sobre;
};
