#pragma once

#include <optional>

class MainHost;
struct SecondaryWindows;

// The main window's commands that open and close the other windows.
class WindowCommands {
public:
    WindowCommands(SecondaryWindows& windows, MainHost& host) : windows_(windows), host_(host) {}

    void escrever();
    // storeIndex: the selected row's reminder, or nothing when no row is selected.
    void corrigir(std::optional<int> storeIndex);
    void ajuda();
    void sobre();
    void closeAll();

private:
    SecondaryWindows& windows_;
    MainHost& host_;
};
