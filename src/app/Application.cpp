#include "Application.h"

#include "Accessibility.h"
#include "Activation.h"
#include "DesktopNotifier.h"
#include "FocusMark.h"
#include "Fonts.h"
#include "ListFollower.h"
#include "Pictures.h"
#include "QtTranslation.h"
#include "TrayMinimizer.h"
#include "frm0_Inicial.h"
#include "frm1_Escrever.h"
#include "frm2_Atualizar.h"
#include "frm3_verLembrete.h"
#include "frm4_Ajuda.h"
#include "frm5_Sobre.h"

#include <QApplication>

Application::Application(const QString& dataFolder, const Clock& clock)
    : clock_(clock), store_(dataFolder, clock)
{
    // Fonts, pictures and what screen readers are told are in place before the
    // first window is built.
    Accessibility::install();
    Fonts::install();
    QtTranslation::install();
    Pictures::load();
    FocusMark::install();
    main_ = std::make_unique<frm0_Inicial>(store_, owner_, clock);
    // Drawn from its picture at four sizes; the window manager can wait for it.
    QObject::connect(main_.get(), &frm0_Inicial::startUpFinished, main_.get(),
                     [] { QApplication::setWindowIcon(Pictures::icon()); });

    owner_.setFactory(Secondary::Escrever, [this] { return new frm1_Escrever(*main_, clock_); });
    owner_.setFactory(Secondary::Atualizar, [this] { return new frm2_Atualizar(*main_, clock_); });
    owner_.setFactory(Secondary::VerLembrete,
                      [this] { return new frm3_verLembrete(owner_, *main_); });
    owner_.setFactory(Secondary::Ajuda, [] { return new frm4_Ajuda; });
    owner_.setFactory(Secondary::Sobre, [this] { return new frm5_Sobre(store_.path()); });
}

Application::~Application()
{
    owner_.closeAll();
}

void Application::start()
{
    main_->start();
    // Following starts with the list loaded; the start-up look at the folder,
    // which may merge and write, waits until the window has painted.
    sync_ = std::make_unique<ListFollower>(*main_);
    QObject::connect(
        main_.get(), &frm0_Inicial::startUpFinished, sync_.get(), [this] { sync_->start(); },
        Qt::SingleShotConnection);
    main_->show();
}

void Application::watchDueReminders(DueCheck::Send send)
{
    if (!send) {
        TrayMinimizer& tray = main_->tray();
        notifier_ = std::make_unique<DesktopNotifier>([&tray] { return tray.icon(); },
                                                      [this] { restoreWindows(); });
        send = [this](const DueNotice& notice) { notifier_->send(notice); };
    }
    dueCheck_ = std::make_unique<DueCheck>(store_, clock_, std::move(send));
    // After the rest of start-up, which brings the tray icon a notice may need.
    if (main_->startedUp())
        dueCheck_->startAfterPaint(main_.get());
    else
        QObject::connect(
            main_.get(), &frm0_Inicial::startUpFinished, dueCheck_.get(),
            [this] { dueCheck_->startAfterPaint(main_.get()); }, Qt::SingleShotConnection);
}

void Application::restoreWindows()
{
    main_->tray().restore();
    main_->raise();
    Activation::request(main_.get());
}
