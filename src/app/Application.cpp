#include "Application.h"

#include "PageWindow.h"
#include "frm0_Inicial.h"

Application::Application(const QString& dataFolder, const Clock& clock)
    : store_(dataFolder, clock), main_(std::make_unique<frm0_Inicial>(store_, owner_, clock))
{
    const std::array<const char*, 5> names = {"frm1_Escrever", "frm2_Atualizar",
                                              "frm3_verLembrete", "frm4_Ajuda", "frm5_Sobre"};
    for (Secondary id : kAllSecondary) {
        const QString name = QLatin1String(names[std::size_t(id)]);
        owner_.setFactory(id, [name] { return new PageWindow(name); });
    }
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
