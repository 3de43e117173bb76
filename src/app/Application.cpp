#include "Application.h"

#include "Fonts.h"
#include "PageWindow.h"
#include "Pictures.h"
#include "frm0_Inicial.h"
#include "frm4_Ajuda.h"
#include "frm5_Sobre.h"

#include <QApplication>

namespace {
// Fonts and pictures are in place before the first window is built.
const Clock& lookInstalled(const Clock& clock)
{
    Fonts::install();
    Pictures::load();
    QApplication::setWindowIcon(Pictures::icon());
    return clock;
}
} // namespace

Application::Application(const QString& dataFolder, const Clock& clock)
    : clock_(lookInstalled(clock)), store_(dataFolder, clock), main_(std::make_unique<frm0_Inicial>(store_, owner_, clock))
{
    owner_.setFactory(Secondary::Escrever,
                      [] { return new PageWindow(QStringLiteral("frm1_Escrever")); });
    owner_.setFactory(Secondary::Atualizar,
                      [] { return new PageWindow(QStringLiteral("frm2_Atualizar")); });
    owner_.setFactory(Secondary::VerLembrete,
                      [] { return new PageWindow(QStringLiteral("frm3_verLembrete")); });
    owner_.setFactory(Secondary::Ajuda, [] { return new frm4_Ajuda; });
    owner_.setFactory(Secondary::Sobre, [] { return new frm5_Sobre; });
}

Application::~Application()
{
    owner_.closeAll();
}

void Application::start()
{
    owner_.hideAll();
    main_->start();
    main_->show();
}
