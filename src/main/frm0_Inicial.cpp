#include "frm0_Inicial.h"

#include "Beep.h"
#include "Clock.h"
#include "PictureButton.h"
#include "TrayMinimizer.h"
#include "Twips.h"
#include "WindowDragger.h"
#include "WindowOwner.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QScreen>
#include <QTimer>

namespace {

// Windows' abbreviated Portuguese weekdays carry no full stop.
QString shortWeekday(const QDate& date)
{
    QString day = QLocale(QLocale::Portuguese, QLocale::Brazil).dayName(date.dayOfWeek(),
                                                                        QLocale::ShortFormat);
    if (day.endsWith(u'.'))
        day.chop(1);
    return day;
}

} // namespace

frm0_Inicial::frm0_Inicial(ReminderStore& store, WindowOwner& owner, const Clock& clock,
                           QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), store_(store), owner_(owner), clock_(clock),
      commands_(owner, *this)
{
    setObjectName(QStringLiteral("frm0_Inicial"));
    setWindowTitle(QStringLiteral("Quivera Recordim!"));
    setFixedSize(kSize);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    buildControls();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, [this] {
        lblAviso->clear();
        lblAviso->hide();
    });

    connect(btnFechar, &PictureButton::clicked, this, [this] {
        close();
        owner_.closeAll();
        tray_->removeIcon();
        QApplication::quit();
    });

    list_ = new ListController(store_, owner_, *this, state_,
                               {lstLembretes, lblTotalLembretes, imgAvanca, imgRetorna,
                                imgSalvarRed, imgApagar, imgCopiar},
                               this);
    connect(imgCorrigir, &PictureButton::clicked, this,
            [this] { commands_.corrigir(list_->selectedStoreIndex()); });
    connect(imgEscrever, &PictureButton::clicked, this, [this] { commands_.escrever(); });
    connect(imgAjuda, &PictureButton::clicked, this, [this] { commands_.ajuda(); });
    connect(imgSobre, &PictureButton::clicked, this, [this] { commands_.sobre(); });

    const QDate today = clock_.now().date();
    lblDiaHojeGrande->setText(today.toString(QStringLiteral("dd")));
    lblDataHoje->setText(today.toString(QStringLiteral("/MM/yy, ")) + shortWeekday(today));

    wireChrome();
}

void frm0_Inicial::buildControls()
{
    auto label = [this](const char* name, QRect at) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(at);
        return l;
    };
    auto picture = [this](const char* name, QRect at, const QString& tip = {}) {
        auto* b = new PictureButton(this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(at);
        b->setToolTip(tip);
        return b;
    };
    using Twips::rect;
    imgAvancaOff = picture("imgAvancaOff", rect(3280, 4190, 345, 165));
    imgRetornaOff = picture("imgRetornaOff", rect(2800, 4190, 345, 165));
    imgSalvar = picture("imgSalvar", rect(1800, 4520, 525, 150));
    lstLembretes = new QListWidget(this);
    lstLembretes->setObjectName(QStringLiteral("lstLembretes"));
    lstLembretes->setGeometry(rect(80, 1170, 3570, 2955));
    lblTextoTotal = label("lblTextoTotal", rect(1800, 4965, 495, 195));
    lblTextoTotal->setText(QStringLiteral("Total:"));
    lblDiaHojeGrande = label("lblDiaHojeGrande", rect(0, 4680, 690, 495));
    lblDataHoje = label("lblDataHoje", rect(600, 4960, 1020, 200));
    lblAviso = label("lblAviso", rect(70, 720, 2025, 195));
    lblAviso->setAlignment(Qt::AlignCenter);
    lblAviso->hide();
    lblTotalLembretes = label("lblTotalLembretes", rect(2240, 4960, 1095, 195));
    imgSalvarRed = picture("imgSalvarRed", rect(1800, 4520, 525, 150),
                           QStringLiteral(" Salvar lista de lembretes "));
    imgSalvarRed->hide();
    imgCopiar = picture("imgCopiar", rect(1810, 4190, 600, 165),
                        QStringLiteral(" Copiar para a área de transferência "));
    imgSobre = picture("imgSobre", rect(3180, 4520, 450, 150), QStringLiteral(" Sobre o Programa "));
    imgAjuda = picture("imgAjuda", rect(2500, 4520, 495, 240), QStringLiteral(" Ajuda "));
    btnFechar = picture("btnFechar", rect(3180, 0, 390, 375), QStringLiteral(" Fechar "));
    btnMinimizar = picture("btnMinimizar", rect(2700, 0, 480, 480), QStringLiteral(" Minimizar "));
    imgCorrigir = picture("imgCorrigir", rect(2700, 590, 390, 480), QStringLiteral(" Corrigir "));
    imgEscrever = picture("imgEscrever", rect(2210, 590, 435, 480), QStringLiteral(" Escrever "));
    imgApagar = picture("imgApagar", rect(3150, 590, 435, 480), QStringLiteral(" Apagar "));
    imgRetorna = picture("imgRetorna", rect(2800, 4190, 345, 165), QStringLiteral(" Retornar "));
    imgAvanca = picture("imgAvanca", rect(3280, 4190, 345, 165), QStringLiteral(" Avançar "));

    // Stands in for the hidden full list: it takes the focus so that no visible row
    // holds it, and ignores every key.
    lstInicial = new QWidget(this);
    lstInicial->setObjectName(QStringLiteral("lstInicial"));
    lstInicial->setGeometry(rect(0, 5880, 3615, 1230));
    lstInicial->setFocusPolicy(Qt::StrongFocus);
}

QPoint frm0_Inicial::startPosition(const QRect& screen)
{
    return {screen.x() + screen.width() - kSize.width() - Twips::px(45),
            screen.y() + screen.height() - kSize.height() - Twips::px(530)};
}

void frm0_Inicial::start()
{
    tray_->startUp();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(startPosition(screen->geometry()));
    lstLembretes->clear();
    const StoreStatus loaded = store_.load();
    showFirstPage();
    report(loaded);
}

bool frm0_Inicial::report(StoreStatus status)
{
    if (status == StoreStatus::Ok)
        return true;
    showMessage(storeMessage(status));
    return false;
}

void frm0_Inicial::showMessage(const QString& text)
{
    timer1_->start(kMessageMs);
    Beep::sound();
    lblAviso->setText(text);
    lblAviso->show();
}

void frm0_Inicial::showFirstPage()
{
    state_.showFirstPage(store_.count());
    list_->renderPage();
}

void frm0_Inicial::setUnsaved(bool pending)
{
    imgSalvarRed->setVisible(pending);
}

void frm0_Inicial::setMessageVisible(bool visible)
{
    lblAviso->setVisible(visible);
}

void frm0_Inicial::focusHolder()
{
    activateWindow();
    lstInicial->setFocus(Qt::OtherFocusReason);
}

void frm0_Inicial::wireChrome()
{
    // By name, so that however the controls are built these six sink when pressed.
    for (const char* name :
         {"imgApagar", "imgCopiar", "imgCorrigir", "imgEscrever", "imgAvanca", "imgRetorna"})
        if (auto* button = findChild<PictureButton*>(QLatin1String(name)))
            button->setSinks(true);

    WindowDragger* dragger = WindowDragger::install(this);
    connect(dragger, &WindowDragger::dragFinished, this, [this] { owner_.dockAll(this); });
    connect(dragger, &WindowDragger::bodyDoubleClicked, this, [this] { commands_.closeAll(); });

    tray_ = new TrayMinimizer(owner_, this);
    if (auto* minimise = findChild<PictureButton*>(QStringLiteral("btnMinimizar")))
        connect(minimise, &PictureButton::clicked, tray_, &TrayMinimizer::minimize);
}
