#pragma once

#include "PageWindow.h"

#include <QUrl>

#include <functional>

class QLabel;

// Name, version, a short description, the author and a link to the project's
// page.
class frm5_Sobre : public PageWindow {
    Q_OBJECT
public:
    // Short enough for the link label at its bold size.
    static constexpr auto kAddress = "https://quivera.github.io/";
    static constexpr auto kAuthor = "Equipe Quivera";
    static constexpr auto kTool = "C++ e Qt";

    // Hands an address to the desktop; a test gives its window a recorder instead.
    using UrlOpener = std::function<void(const QUrl&)>;

    // dataPath shows as the tooltip of the program's name, so a user can find
    // the file to back it up.
    explicit frm5_Sobre(const QString& dataPath = {}, QWidget* parent = nullptr);

    void setUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }

private:
    void lblBrenquivera_Click();

    QLabel* lblBrenquivera = nullptr;
    UrlOpener urlOpener_;
};
