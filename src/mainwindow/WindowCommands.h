#pragma once

#include <optional>

class MainHost;
class WindowOwner;

// The main window's commands that open and close the other windows.
class WindowCommands {
public:
    WindowCommands(WindowOwner& owner, MainHost& host) : owner_(owner), host_(host) {}

    void escrever();
    // storeIndex: the selected row's reminder, or nothing when no row is selected.
    void corrigir(std::optional<int> storeIndex);
    void ajuda();
    void sobre();
    void closeAll();

private:
    WindowOwner& owner_;
    MainHost& host_;
};
