#include "EditorWindow.h"

#include "Accessibility.h"
#include "Beep.h"
#include "CalendarioFrame.h"
#include "DateWords.h"
#include "DescriptionBox.h"
#include "FocusMark.h"
#include "Fonts.h"
#include "HandCursor.h"
#include "KeyCommands.h"
#include "LabelClick.h"
#include "MainHost.h"
#include "PageColours.h"
#include "PageScrollBar.h"
#include "PictureButton.h"
#include "Pictures.h"
#include "SpokenMessage.h"
#include "TabChain.h"
#include "TitleBox.h"
#include "Twips.h"
#include "TypedKeys.h"

#include <QLabel>
#include <QTimer>

namespace {

const QColor kHint(0xC0, 0xC0, 0xC0);

QLabel* label(QWidget* parent, const char* name, QRect at, const QString& text,
              const QColor& colour)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(at);
    // The due date comes from the data file, which may have been edited by hand.
    l->setTextFormat(Qt::PlainText);
    l->setFont(Fonts::windowFont());
    // A press on a label is the label's, not the start of a window drag.
    l->setAttribute(Qt::WA_NoMousePropagation);
    PageColours::setTextColour(l, colour);
    return l;
}

// Only spaces count as blank, as the title's own trim does it.
bool blankTitle(const QString& title)
{
    for (QChar ch : title)
        if (ch != u' ')
            return false;
    return true;
}

} // namespace

EditorWindow::EditorWindow(const Page& page, MainHost& host, const Clock& clock, QWidget* parent)
    : PageWindow(page.name, parent), host_(host), clock_(clock)
{
    setWindowTitle(page.title);
    setFont(Fonts::windowFont());
    frameCalendario = new CalendarioFrame(clock, this);
    buildControls(page);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &EditorWindow::Timer1_Timer);
    connect(txtTitulo, &TitleBox::messageEditedAway, this, &EditorWindow::messageEditedAway);

    new TypedKeys(txtTitulo, txtDescricao, this);
    connect(btnOk, &PictureButton::clicked, this, &EditorWindow::btnOk_Click);
    connect(btnCalendario, &PictureButton::clicked, this,
            [this] { frameCalendario->showOverBoxes(lblData->text()); });
    connect(frameCalendario, &CalendarioFrame::casaClicked, this, &EditorWindow::casaClicked);
    connect(LabelClick::install(lblVencimento), &LabelClick::clicked, this,
            [this] { lblVencimento_Click(); });
    wireKeys();
    txtTitulo->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::wireKeys()
{
    const auto inCalendar = [this](const char* name) {
        return frameCalendario->findChild<QWidget*>(QLatin1String(name));
    };
    // The calendar's stops stand where the boxes it covers do.
    chainTabs({txtTitulo, txtDescricao, inCalendar("btnPrev2"), inCalendar("btnAtual2"),
               inCalendar("btnNext2"), inCalendar("Casa2_teclado"), btnCalendario, lblVencimento,
               btnOk, btnFechar});
    connect(frameCalendario, &CalendarioFrame::parkedChanged, this, &EditorWindow::calendarMoved);

    // Stores from any control of the window, before the boxes' filter sees the
    // key, after every key typed before it; a held key stores once, never the
    // message that follows as a title.
    auto* keys = new KeyCommands(this);
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter})
        keys->add(Qt::CTRL | enter, [this] { btnOk_Click(); });
}

void EditorWindow::calendarMoved(bool parked)
{
    for (QWidget* box : {static_cast<QWidget*>(txtTitulo), static_cast<QWidget*>(txtDescricao)})
        box->setFocusPolicy(parked ? Qt::StrongFocus : Qt::NoFocus);
    // The keyboard was on the calendar: it goes back to the picture that opened it.
    if (parked && frameCalendario->isAncestorOf(focusWidget()))
        FocusMark::moveFocus(btnCalendario);
}

void EditorWindow::escape()
{
    if (!frameCalendario->isParked())
        frameCalendario->park();
}

void EditorWindow::focusTitle()
{
    txtTitulo->setFocus(Qt::OtherFocusReason);
    txtTitulo->end(false);
}

void EditorWindow::buildControls(const Page& page)
{
    // Created bottom first: the designer lists what lies on top first.
    addRule("linhamarca", Twips::rect(0, 480, 3735, 30), PageColours::kInk);
    addRule("Shape1", Twips::rect(90, 930, 3220, 30), PageColours::kPaleRule);
    addRule("Shape2", Twips::rect(90, 2600, 3220, 30), PageColours::kPaleRule);
    PictureButton::create(this, "Image1", Twips::rect(90, 285, page.headingWidth, 210),
                          Pictures::path(page.heading));
    btnFechar->raise();
    btnFechar->setPicture(QStringLiteral(":/pictures/fechar.svg"));

    label(this, "lblTitulo", Twips::rect(90, 540, 600, 195), QStringLiteral("Título"),
          PageColours::kInk);
    label(this, "lblDescricao", Twips::rect(90, 1035, 840, 195), QStringLiteral("Descrição"),
          PageColours::kInk);
    lblVencimento = label(this, "lblVencimento", Twips::rect(90, 2760, 900, 195),
                          QStringLiteral("Vencimento:"), PageColours::kInk);
    lblVencimento->setToolTip(QStringLiteral(" ----/----/---- "));
    lblVencimento->setCursor(handCursor());
    // What a click on it does, with the date it would clear.
    Accessibility::setLabelRole(lblVencimento, QAccessible::Button);
    lblVencimento->setAccessibleName(QStringLiteral("Limpar vencimento"));
    lblData = label(this, "lblData", Twips::rect(page.dueLeft, 2760, page.dueWidth, 195),
                    Reminder::kNoDue, PageColours::kInk);

    btnCalendario = PictureButton::create(this, "btnCalendario", Twips::rect(1800, 2700, 315, 300),
                                          Pictures::path("calendario"));
    btnCalendario->setToolTip(QStringLiteral(" Calendário "));
    btnCalendario->setCursor(handCursor());
    btnOk = PictureButton::create(this, "btnOk", Twips::rect(2530, 2700, 450, 270),
                                  Pictures::path("ok"));
    btnOk->setAccessibleName(QStringLiteral("OK"));

    label(this, "Label1", Twips::rect(600, 540, 1800, 195),
          QStringLiteral("(Máximo 45 caracteres)"), kHint);
    label(this, "Label2", Twips::rect(900, 1035, page.hintWidth, 195),
          QStringLiteral("(Ilimitado)"), kHint);

    txtDescricao = new DescriptionBox(this);
    txtDescricao->setObjectName(QStringLiteral("txtDescricao"));
    txtDescricao->setAccessibleName(QStringLiteral("Descrição"));
    txtDescricao->setAccessibleDescription(QStringLiteral("Ilimitado"));
    txtDescricao->setGeometry(Twips::rect(90, 1230, 3220, 1335));
    // The boxes are writing on the page: the rules under them are their lines.
    txtDescricao->setFrameShape(QFrame::NoFrame);
    tintScrollBar(txtDescricao);
    txtTitulo = new TitleBox(this);
    txtTitulo->setObjectName(QStringLiteral("txtTitulo"));
    txtTitulo->setAccessibleName(QStringLiteral("Título"));
    txtTitulo->setAccessibleDescription(QStringLiteral("Máximo 45 caracteres"));
    txtTitulo->setGeometry(Twips::rect(90, 730, 3220, 200));
    txtTitulo->setFrame(false);

    frameCalendario->raise();

    // The messages go into the title box, where a screen reader does not hear them.
    spoken_ = new SpokenMessage(this);
    showDue(lblData->text());
}

void EditorWindow::showDue(const QString& due)
{
    lblData->setText(due);
    const QString words = DateWords::due(due, clock_.now().date());
    lblData->setAccessibleName(words);
    lblVencimento->setAccessibleDescription(words);
}

QString EditorWindow::titleText() const
{
    return txtTitulo->text();
}

void EditorWindow::clearDescription()
{
    txtDescricao->clear();
}

void EditorWindow::fill(const Reminder& reminder)
{
    // A message still ending from the last reminder must not erase this title.
    Timer1->stop();
    spoken_->hush();
    showDue(reminder.due);
    txtTitulo->setProgramText(reminder.title);
    QString description = reminder.description;
    txtDescricao->setStoredText(description.replace(Reminder::kLineBreak, QStringLiteral("\r\n")));
}

void EditorWindow::showTitleMessage(const QString& text, bool onMainLine)
{
    Timer1->start(kMessageMs);
    Beep::sound();
    txtTitulo->showMessage(text);
    messageOnMainLine_ = onMainLine;
    if (onMainLine)
        host_.setMessageVisible(true);
    spoken_->say(text);
}

void EditorWindow::messageEditedAway()
{
    // Ends as the timer would, but what the user typed stays, and a message not
    // yet heard is still said.
    Timer1->stop();
    if (messageOnMainLine_)
        host_.setMessageVisible(false);
}

void EditorWindow::btnOk_Click()
{
    // A message in the box is no title: the box holds none.
    const QString title = txtTitulo->text();
    if (txtTitulo->holdsMessage() || blankTitle(title)) {
        showTitleMessage(kVazio, refusalOnMainLine());
        // Nothing was written, so a pending status change still waits for a save.
        host_.focusHolder();
        return;
    }

    if (!host_.report(store(title, lblData->text(), txtDescricao->storedText()))) {
        // What the user typed stays for another try.
        host_.focusHolder();
        return;
    }

    host_.showFirstPage();
    host_.setUnsaved(false);
    stored();
    host_.focusHolder();
}

void EditorWindow::Timer1_Timer()
{
    // The user's first edit already ended the message.
    if (!txtTitulo->holdsMessage())
        return;
    txtTitulo->setProgramText(QString());
    spoken_->hush();
    Timer1->stop();
    host_.setMessageVisible(false);
}

void EditorWindow::lblVencimento_Click()
{
    showDue(Reminder::kNoDue);
}

void EditorWindow::casaClicked(int i)
{
    if (const auto date = frameCalendario->calendario().escreveTexto(i))
        showDue(*date);
    frameCalendario->park();
}
