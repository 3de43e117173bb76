#include "Application.h"

#include "Accessibility.h"
#include "Activation.h"
#include "AfterFirstPaint.h"
#include "DesktopNotifier.h"
#include "FocusMark.h"
#include "Fonts.h"
#include "ListFollower.h"
#include "Pictures.h"
#include "QtTranslation.h"
#include "SecondaryWindows.h"
#include "TrayMinimizer.h"
#include "frm0_Inicial.h"
#include "frm1_Escrever.h"
#include "frm2_Atualizar.h"
#include "frm3_verLembrete.h"
#include "frm4_Ajuda.h"
#include "frm5_Sobre.h"

#include <QApplication>
#include <QTimer>

Application::Application(const QString& dataFolder, const Clock& clock, DueCheck::Send send)
    : clock_(clock), store_(dataFolder, clock),
      windows_(new SecondaryWindows{
          owner_,
          {owner_, Secondary::Escrever, [this] { return new frm1_Escrever(*main_, clock_); }},
          {owner_, Secondary::Atualizar, [this] { return new frm2_Atualizar(*main_, clock_); }},
          {owner_, Secondary::VerLembrete, [this] { return new frm3_verLembrete(*main_); }},
          {owner_, Secondary::Ajuda, [] { return new frm4_Ajuda; }},
          {owner_, Secondary::Sobre, [this] { return new frm5_Sobre(store_.path()); }}})
{
    // Fonts, pictures and what screen readers are told are in place before the
    // first window is built.
    Accessibility::install();
    Fonts::install();
    QtTranslation::install();
    Pictures::load();
    FocusMark::install();
    main_ = std::make_unique<frm0_Inicial>(store_, *windows_, clock);
    if (!send) {
        TrayMinimizer& tray = main_->tray();
        notifier_ = std::make_unique<DesktopNotifier>([&tray] { return tray.icon(); },
                                                      [this] { restoreWindows(); });
        send = [this](const DueNotice& notice) { notifier_->send(notice); };
    }
    dueCheck_ = std::make_unique<DueCheck>(store_, clock_, std::move(send));
}

Application::~Application()
{
    owner_.closeAll();
}

// Start-up, in order: what the first paint waits for, then what it does not.
void Application::start()
{
    // The main window in its corner, its list filled by the load it follows.
    main_->moveToCorner();
    main_->report(store_.load());
    // Following starts from the list as loaded.
    sync_ = std::make_unique<ListFollower>(*main_);
    main_->show();

    // After the first paint, once; a window the platform never exposes gets
    // none, and starts up all the same.
    const auto afterFirstPaint = [this] {
        if (startedUp_)
            return;
        startedUp_ = true;
        // The secondary windows, made hidden; one the user opened meanwhile stays.
        owner_.makeAll();
        // The tray icon, before a due notice that may show as its balloon.
        main_->tray().showIcon();
        // Drawn from its picture at four sizes; the window manager can wait for it.
        QApplication::setWindowIcon(Pictures::icon());
        // The first look at the folder: leftovers go, and conflict copies already
        // there are merged, which may write.
        sync_->start();
        // Today's due reminders, then a look at the date once a minute.
        dueCheck_->start();
    };
    AfterFirstPaint::run(main_.get(), main_.get(), afterFirstPaint);
    QTimer::singleShot(kStartUpFallbackMs, main_.get(), afterFirstPaint);
}

void Application::restoreWindows()
{
    main_->tray().restore();
    main_->raise();
    Activation::request(main_.get());
}
