#include "CalendarioFrame.h"

#include "Accessibility.h"
#include "Fonts.h"
#include "LabelFocusProxy.h"
#include "PageColours.h"
#include "PictureButton.h"
#include "Twips.h"
#include "ui_CalendarioFrame.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int kLeft = 90;
constexpr int kCasaLeft = 135;
constexpr int kCasaTop = 420;
constexpr int kCasaStepX = 420;
constexpr int kCasaStepY = 255;

QFont dayFont()
{
    // The installed family by name: no fallback search before the first paint.
    QFont font(Fonts::installedFamily(QStringLiteral("MS Sans Serif")));
    font.setPixelSize(Fonts::pixelsAt96(9.75));
    return font;
}

} // namespace

CalendarioFrame::CalendarioFrame(const Clock& clock, QWidget* parent)
    : QFrame(parent), ui_(new Ui::CalendarioFrame), calendario_(clock)
{
    setObjectName(QStringLiteral("frameCalendario"));
    setGeometry(Twips::rect(kLeft, kTopParked, 3240, 2060));
    PageColours::makePage(this);
    // The calendar is no handle for dragging the window.
    setAttribute(Qt::WA_NoMousePropagation);

    ui_->setupUi(this);
    for (PictureButton* button : {ui_->btnPrev2, ui_->btnAtual2, ui_->btnNext2})
        button->setSinks(true);
    ui_->TitMesAno2->setFont(Fonts::windowFont(true));

    for (int i = 0; i < Calendario::kCasas; ++i) {
        auto* casa = new QLabel(this);
        casa->setObjectName(QStringLiteral("Casa2_%1").arg(i));
        const int column = i % 7;
        const int row = i / 7;
        const bool last = i == Calendario::kCasas - 1;
        casa->setGeometry(Twips::rect(kCasaLeft + kCasaStepX * column, kCasaTop + kCasaStepY * row,
                                      last ? 435 : 405, last ? 270 : 240));
        casa->setAlignment(Qt::AlignCenter);
        casa->setFont(dayFont());
        PageColours::setTextColour(casa, QColor(0x40, 0x40, 0x40));
        casa->installEventFilter(this);
        // Read as its date in words; an empty cell has no name and is not offered.
        Accessibility::setLabelRole(casa, QAccessible::Button);
        Casa2[std::size_t(i)] = casa;
    }

    // The keyboard's day: a Tab stop over its cell while the calendar is out. The
    // arrows and page keys it passes on come to this frame.
    diaTeclado_ = new LabelFocusProxy(QStringLiteral("Casa2_teclado"), this);
    connect(diaTeclado_, &LabelFocusProxy::clicked, this,
            [this] { emit casaClicked(calendario_.casaEscolhida()); });

    ui_->imgDobraCalendario->raise();

    connect(ui_->btnPrev2, &PictureButton::clicked, this, [this] {
        if (!calendario_.mesAnterior())
            avisaAnoInvalido();
        desenha();
    });
    connect(ui_->btnNext2, &PictureButton::clicked, this, [this] {
        if (!calendario_.proximoMes())
            avisaAnoInvalido();
        desenha();
    });
    connect(ui_->btnAtual2, &PictureButton::clicked, this, &CalendarioFrame::mostraMesAtual);

    desenha();
}

CalendarioFrame::~CalendarioFrame() = default;

QList<QWidget*> CalendarioFrame::tabStops() const
{
    return {ui_->btnPrev2, ui_->btnAtual2, ui_->btnNext2, diaTeclado_};
}

void CalendarioFrame::updateTabStops()
{
    const bool shown = !isParked();
    for (QWidget* stop : tabStops())
        stop->setFocusPolicy(shown ? Qt::TabFocus : Qt::NoFocus);
    diaTeclado_->cover(Casa2[std::size_t(calendario_.casaEscolhida())]);
}

void CalendarioFrame::mostraMesAtual()
{
    calendario_.mostraMesAtual();
    desenha();
}

void CalendarioFrame::park()
{
    moveTo(kTopParked);
}

void CalendarioFrame::showOverBoxes(const QString& vencimento)
{
    calendario_.abre(vencimento);
    moveTo(kTopShown);
}

bool CalendarioFrame::isParked() const
{
    return y() == Twips::px(kTopParked);
}

void CalendarioFrame::moveTo(int topTwips)
{
    const bool wasParked = isParked();
    move(Twips::px(kLeft), Twips::px(topTwips));
    updateTabStops();
    if (wasParked != isParked())
        emit parkedChanged(isParked());
}

void CalendarioFrame::avisaAnoInvalido()
{
    QMessageBox::warning(window(), QStringLiteral("Calendrix"),
                         QStringLiteral("Ano inválido. O ano deve estar no ") +
                             QStringLiteral("\r\n") +
                             QStringLiteral("intervalo de 1753 a 2078, inclusive."),
                         QMessageBox::Ok);
}

void CalendarioFrame::desenha()
{
    ui_->TitMesAno2->setText(calendario_.titulo());
    for (int i = 0; i < Calendario::kCasas; ++i)
        desenhaCasa(i);
    updateTabStops();
}

void CalendarioFrame::desenhaCasa(int i)
{
    QLabel* label = Casa2[std::size_t(i)];
    const Calendario::Casa& casa = calendario_.casa(i);
    label->setText(casa.texto);
    label->setAccessibleName(calendario_.nomeDaCasa(i));
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, casa.fundo);
    label->setPalette(pal);
    label->setAutoFillBackground(casa.opaca);
}

void CalendarioFrame::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QFrame::keyPressEvent(event);
        return;
    }
    bool inRange = true;
    switch (event->key()) {
    case Qt::Key_Left:
        inRange = calendario_.moveEscolha(-1);
        break;
    case Qt::Key_Right:
        inRange = calendario_.moveEscolha(1);
        break;
    case Qt::Key_Up:
        inRange = calendario_.moveEscolha(-7);
        break;
    case Qt::Key_Down:
        inRange = calendario_.moveEscolha(7);
        break;
    case Qt::Key_PageUp:
        inRange = calendario_.mudaMes(-1);
        break;
    case Qt::Key_PageDown:
        inRange = calendario_.mudaMes(1);
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    if (!inRange)
        avisaAnoInvalido();
    desenha();
}

bool CalendarioFrame::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = std::find(Casa2.begin(), Casa2.end(), watched);
    if (found == Casa2.end())
        return QFrame::eventFilter(watched, event);
    const int i = int(found - Casa2.begin());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Any button colours the cell; only a click picks it.
        casaGesture_.press(*static_cast<QMouseEvent*>(event));
        calendario_.casaMouseDown(i);
        desenhaCasa(i);
        return true;
    case QEvent::MouseButtonRelease: {
        calendario_.casaMouseUp(i);
        desenhaCasa(i);
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (casaGesture_.release(*mouse, (*found)->rect().contains(mouse->position().toPoint())))
            emit casaClicked(i);
        return true;
    }
    default:
        return QFrame::eventFilter(watched, event);
    }
}
