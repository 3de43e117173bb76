#pragma once

#include "EditTarget.h"
#include "MainHost.h"
#include "SecondaryWindows.h"

#include <functional>
#include <memory>

// An editor that edits nothing: the main window's tests need only its page.
class StandInEditor : public EditTarget {
public:
    using EditTarget::EditTarget;
    void fill(const Reminder&) override {}
    void focusTitle() override {}
};

inline Owned<PageWindow>::Make plainPage(const char* name)
{
    return [name] { return new PageWindow(QLatin1String(name)); };
}

// The secondary windows a main window is given: the real viewer over the main
// window `host` gives, help and about as the test chooses, the editors stand-ins.
inline std::unique_ptr<SecondaryWindows>
standInWindows(WindowOwner& owner, std::function<MainHost&()> host,
               Owned<PageWindow>::Make ajuda = plainPage("frm4_Ajuda"),
               Owned<PageWindow>::Make sobre = plainPage("frm5_Sobre"))
{
    auto editor = [](const char* name) {
        return [name] { return new StandInEditor(QLatin1String(name)); };
    };
    return std::unique_ptr<SecondaryWindows>(new SecondaryWindows{
        owner,
        {owner, Secondary::Escrever, editor("frm1_Escrever")},
        {owner, Secondary::Atualizar, editor("frm2_Atualizar")},
        {owner, Secondary::VerLembrete, [host] { return new frm3_verLembrete(host()); }},
        {owner, Secondary::Ajuda, std::move(ajuda)},
        {owner, Secondary::Sobre, std::move(sobre)}});
}
