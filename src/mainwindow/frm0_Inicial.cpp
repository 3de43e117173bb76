#include "frm0_Inicial.h"

#include "Activation.h"
#include "Beep.h"
#include "Clock.h"
#include "DateWords.h"
#include "FocusMark.h"
#include "Fonts.h"
#include "HandCursor.h"
#include "MainListCommands.h"
#include "MainListInput.h"
#include "MainListRows.h"
#include "MessageTime.h"
#include "OrderedShortcuts.h"
#include "PageBackground.h"
#include "PageColours.h"
#include "PaperList.h"
#include "PictureButton.h"
#include "Pictures.h"
#include "SecondaryWindows.h"
#include "SpokenMessage.h"
#include "TabChain.h"
#include "TrayMinimizer.h"
#include "Twips.h"
#include "WindowDragger.h"
#include "WindowShape.h"
#include "ui_frm0_Inicial.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace {

// Windows' abbreviated Portuguese weekdays carry no full stop.
QString shortWeekday(const QDate& date)
{
    QString day = QLocale(QLocale::Portuguese, QLocale::Brazil)
                      .dayName(date.dayOfWeek(), QLocale::ShortFormat);
    if (day.endsWith(u'.'))
        day.chop(1);
    return day;
}

} // namespace

frm0_Inicial::frm0_Inicial(ReminderStore& store, SecondaryWindows& windows, const Clock& clock,
                           QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), store_(store), windows_(windows), clock_(clock),
      commands_(windows, *this)
{
    setObjectName(QStringLiteral("frm0_Inicial"));
    setWindowTitle(QStringLiteral("Quivera Recordim!"));
    setFixedSize(kSize);
    PageColours::makePage(this);

    buildControls();
    new PageBackground(Pictures::path("fundo_principal"), this);
    WindowShape::apply(this, MainOutline);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] {
        ui_->lblAviso->clear();
        ui_->lblAviso->hide();
        spoken_->hush();
    });

    connect(ui_->btnFechar, &PictureButton::clicked, this, [this] {
        close();
        windows_.owner.closeAll();
        tray_->removeIcon();
        QApplication::quit();
    });

    rows_ = std::make_unique<MainListRows>(store_, *this, state_, ui_->lstLembretes,
                                           ui_->lblTotalLembretes, ui_->imgAvanca, ui_->imgRetorna);
    list_ = std::make_unique<MainListCommands>(store_, windows_, *this, state_, *rows_,
                                               ui_->lstLembretes);
    input_ = std::make_unique<MainListInput>(state_, *list_, ui_->lstLembretes);
    connect(ui_->imgSalvarRed, &PictureButton::clicked, this,
            [this] { list_->imgSalvarRed_Click(); });
    connect(ui_->imgApagar, &PictureButton::clicked, this, [this] { list_->imgApagar_Click(); });
    connect(ui_->imgCopiar, &PictureButton::clicked, this, [this] { list_->imgCopiar_Click(); });
    connect(ui_->imgAvanca, &PictureButton::clicked, this, [this] { list_->imgAvanca_Click(); });
    connect(ui_->imgRetorna, &PictureButton::clicked, this, [this] { list_->imgRetorna_Click(); });
    connect(ui_->imgCorrigir, &PictureButton::clicked, this,
            [this] { commands_.corrigir(rows_->selectedStoreIndex()); });
    connect(ui_->imgEscrever, &PictureButton::clicked, this, [this] { commands_.escrever(); });
    connect(ui_->imgAjuda, &PictureButton::clicked, this, [this] { commands_.ajuda(); });
    connect(ui_->imgSobre, &PictureButton::clicked, this, [this] { commands_.sobre(); });

    const QDate today = clock_.now().date();
    ui_->lblDiaHojeGrande->setText(today.toString(QStringLiteral("dd")));
    ui_->lblDataHoje->setText(today.toString(QStringLiteral("/MM/yy, ")) + shortWeekday(today));
    // Read as the date and its weekday, in words.
    ui_->lblDiaHojeGrande->setAccessibleName(DateWords::date(today));
    ui_->lblDataHoje->setAccessibleName(
        QLocale(QLocale::Portuguese, QLocale::Brazil).dayName(today.dayOfWeek()));

    wireChrome();
    wireKeys();
    followStore();
}

void frm0_Inicial::followStore()
{
    connect(&store_, &ReminderStore::rowsAboutToChange, this,
            [this] { selectedBefore_ = rows_->selectedReminder(); });
    connect(&store_, &ReminderStore::rowsChanged, this, [this](ReminderStore::Change change) {
        if (change == ReminderStore::Change::Followed)
            list_->showChangedList(selectedBefore_);
        else
            showFirstPage();
    });
    connect(&store_, &ReminderStore::pendingStatusChanged, ui_->imgSalvarRed, &QWidget::setVisible);
}

frm0_Inicial::~frm0_Inicial() = default;

void frm0_Inicial::buildControls()
{
    Pictures::load();
    setFont(Fonts::windowFont());
    ui_ = std::make_unique<Ui::frm0_Inicial>();
    ui_->setupUi(this);
    Fonts::pinPointSizes(this);
    Fonts::useInstalledFamilies(this);
    applyHandCursor(this);

    ui_->lblAviso->hide();
    spoken_ = new SpokenMessage(this);
    ui_->lstLembretes->setAccessibleName(QStringLiteral("Lembretes"));
    ui_->imgSalvarRed->hide();
    PaperList::apply(ui_->lstLembretes, Pictures::path("papel"));
}

QPoint frm0_Inicial::startPosition(const QRect& screen)
{
    return {screen.x() + screen.width() - kSize.width() - Twips::px(45),
            screen.y() + screen.height() - kSize.height() - Twips::px(530)};
}

void frm0_Inicial::moveToCorner()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(startPosition(screen->geometry()));
}

void frm0_Inicial::showMessage(const QString& text, Sound sound)
{
    Timer1->start(MessageTime::kShownMs);
    if (sound == Sound::Beep)
        Beep::sound();
    ui_->lblAviso->setText(text);
    ui_->lblAviso->show();
    spoken_->say(text);
}

QDate frm0_Inicial::today() const
{
    return clock_.now().date();
}

void frm0_Inicial::announce(const QString& text)
{
    spoken_->say(text);
}

void frm0_Inicial::showFirstPage()
{
    state_.showFirstPage(store_.count());
    rows_->render();
}

void frm0_Inicial::setMessageVisible(bool visible)
{
    ui_->lblAviso->setVisible(visible);
}

void frm0_Inicial::focusHolder()
{
    Activation::request(this);
    ui_->lstInicial->setFocus(Qt::OtherFocusReason);
}

void frm0_Inicial::wireChrome()
{
    for (PictureButton* picture : {ui_->imgApagar, ui_->imgCopiar, ui_->imgCorrigir,
                                   ui_->imgEscrever, ui_->imgAvanca, ui_->imgRetorna})
        picture->setSinks(true);

    WindowDragger* dragger = WindowDragger::install(this);
    connect(dragger, &WindowDragger::dragFinished, this, [this] { windows_.owner.dockAll(this); });
    connect(dragger, &WindowDragger::bodyDoubleClicked, this, [this] { commands_.closeAll(); });

    tray_ = new TrayMinimizer(windows_.owner, this);
    connect(ui_->btnMinimizar, &PictureButton::clicked, tray_, &TrayMinimizer::minimize);
}

void frm0_Inicial::wireKeys()
{
    // Stands in for the hidden full list: it takes the focus, only from the
    // program as at start-up, so that no visible row holds it, and ignores every
    // key; from there Tab goes on to the visible list.
    ui_->lstInicial->setFocusPolicy(Qt::NoFocus);
    ui_->lstInicial->setFocus(Qt::OtherFocusReason);
    // The list, then the pictures in reading order.
    chainTabs({ui_->lstInicial, ui_->lstLembretes, ui_->btnMinimizar, ui_->btnFechar,
               ui_->imgEscrever, ui_->imgCorrigir, ui_->imgApagar, ui_->imgCopiar, ui_->imgRetorna,
               ui_->imgAvanca, ui_->imgSalvarRed, ui_->imgAjuda, ui_->imgSobre});

    // No key deletes: a delete asks nothing and cannot be undone.
    auto* keys = new OrderedShortcuts(this);
    const auto command = [keys](QKeyCombination combination, auto act) {
        keys->add(combination, [act] {
            act();
            FocusMark::showForKeys();
        });
    };
    command(Qt::CTRL | Qt::Key_N, [this] { commands_.escrever(); });
    command(Qt::Key_F2, [this] { commands_.corrigir(rows_->selectedStoreIndex()); });
    command(Qt::CTRL | Qt::Key_S, [this] {
        if (!ui_->imgSalvarRed->isHidden())
            list_->imgSalvarRed_Click();
    });
    // Opened by a key, help takes the keyboard: a screen reader names it, and its
    // text scrolls by keys.
    command(Qt::Key_F1, [this] {
        commands_.ajuda();
        Activation::request(&windows_.ajuda.get());
    });
    // From every window; typing goes on into the window it was meant for.
    auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), this);
    f6->setContext(Qt::ApplicationShortcut);
    f6->setAutoRepeat(false);
    connect(f6, &QShortcut::activated, this, [this] {
        QWidget* next = windows_.owner.nextShown(this, QApplication::activeWindow());
        next->raise();
        Activation::request(next);
        FocusMark::showForKeys();
    });
}
