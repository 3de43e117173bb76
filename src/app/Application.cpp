#include "Application.h"

#include "EditorWindow.h"
#include "PageWindow.h"
#include "frm0_Inicial.h"
#include "frm3_verLembrete.h"

Application::Application(const QString& dataFolder, const Clock& clock)
    : clock_(clock), store_(dataFolder, clock), main_(std::make_unique<frm0_Inicial>(store_, owner_, clock))
{
    owner_.setFactory(Secondary::Escrever, [this] {
        return new EditorWindow(EditorWindow::Role::Escrever, *main_, clock_);
    });
    owner_.setFactory(Secondary::Atualizar, [this] {
        return new EditorWindow(EditorWindow::Role::Atualizar, *main_, clock_);
    });
    owner_.setFactory(Secondary::VerLembrete,
                      [this] { return new frm3_verLembrete(owner_, *main_); });
    owner_.setFactory(Secondary::Ajuda,
                      [] { return new PageWindow(QStringLiteral("frm4_Ajuda")); });
    owner_.setFactory(Secondary::Sobre,
                      [] { return new PageWindow(QStringLiteral("frm5_Sobre")); });
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
