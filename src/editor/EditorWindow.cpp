#include "EditorWindow.h"

#include "Accessibility.h"
#include "Beep.h"
#include "CalendarioFrame.h"
#include "ClickableLabel.h"
#include "DataFile.h"
#include "DateWords.h"
#include "DescriptionBox.h"
#include "FocusMark.h"
#include "Fonts.h"
#include "HandCursor.h"
#include "MainHost.h"
#include "MessageTime.h"
#include "OrderedShortcuts.h"
#include "PageScrollBar.h"
#include "PictureButton.h"
#include "Pictures.h"
#include "SpokenMessage.h"
#include "TabChain.h"
#include "TitleBox.h"
#include "Twips.h"
#include "TypedKeys.h"
#include "ui_EditorWindow.h"

#include <QLabel>
#include <QTimer>

#include <utility>

namespace {

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
    : EditTarget(page.name, parent), host_(host), clock_(clock), ui_(new Ui::EditorWindow)
{
    setWindowTitle(page.title);
    setFont(Fonts::windowFont());
    frameCalendario = new CalendarioFrame(clock, this);
    buildControls(page);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &EditorWindow::Timer1_Timer);
    connect(ui_->txtTitulo, &TitleBox::messageEditedAway, this, &EditorWindow::messageEditedAway);

    new TypedKeys(ui_->txtTitulo, ui_->txtDescricao, this);
    connect(ui_->btnOk, &PictureButton::clicked, this, &EditorWindow::btnOk_Click);
    connect(ui_->btnCalendario, &PictureButton::clicked, this,
            [this] { frameCalendario->showOverBoxes(ui_->lblData->text()); });
    connect(frameCalendario, &CalendarioFrame::casaClicked, this, &EditorWindow::casaClicked);
    connect(ClickableLabel::install(ui_->lblVencimento), &ClickableLabel::clicked, this,
            [this] { lblVencimento_Click(); });
    wireKeys();
    ui_->txtTitulo->setFocus(Qt::OtherFocusReason);
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::wireKeys()
{
    // The calendar's stops stand where the boxes it covers do.
    QList<QWidget*> stops = {ui_->txtTitulo, ui_->txtDescricao};
    stops += frameCalendario->tabStops();
    stops += {ui_->btnCalendario, ui_->lblVencimento, ui_->btnOk, btnFechar};
    chainTabs(stops);
    connect(frameCalendario, &CalendarioFrame::parkedChanged, this, &EditorWindow::calendarMoved);

    // Stores from any control of the window, before the boxes' filter sees the
    // key, after every key typed before it; a held key stores once, never the
    // message that follows as a title.
    auto* keys = new OrderedShortcuts(this);
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter})
        keys->add(Qt::CTRL | enter, [this] { btnOk_Click(); });
}

void EditorWindow::calendarMoved(bool parked)
{
    for (QWidget* box :
         {static_cast<QWidget*>(ui_->txtTitulo), static_cast<QWidget*>(ui_->txtDescricao)})
        box->setFocusPolicy(parked ? Qt::StrongFocus : Qt::NoFocus);
    // The keyboard was on the calendar: it goes back to the picture that opened it.
    if (parked && frameCalendario->isAncestorOf(focusWidget()))
        FocusMark::moveFocus(ui_->btnCalendario);
}

void EditorWindow::escape()
{
    if (!frameCalendario->isParked())
        frameCalendario->park();
}

void EditorWindow::focusTitle()
{
    ui_->txtTitulo->setFocus(Qt::OtherFocusReason);
    ui_->txtTitulo->end(false);
}

void EditorWindow::buildControls(const Page& page)
{
    ui_->setupUi(this);
    // The layout shows frm1_Escrever's page.
    ui_->Image1->setPicture(Pictures::path(page.heading));
    ui_->Image1->resize(Twips::px(page.headingWidth), ui_->Image1->height());
    ui_->lblData->setGeometry(Twips::px(page.dueLeft), ui_->lblData->y(), Twips::px(page.dueWidth),
                              ui_->lblData->height());
    ui_->Label2->resize(Twips::px(page.hintWidth), ui_->Label2->height());
    btnFechar->raise();
    frameCalendario->raise();
    applyHandCursor(this);

    // A press on a label is the label's, not the start of a window drag.
    for (QLabel* label : {ui_->lblTitulo, ui_->lblDescricao, ui_->lblVencimento, ui_->lblData,
                          ui_->Label1, ui_->Label2})
        label->setAttribute(Qt::WA_NoMousePropagation);
    // What a click on it does, with the date it would clear.
    Accessibility::setLabelRole(ui_->lblVencimento, QAccessible::Button);
    tintScrollBar(ui_->txtDescricao);

    // The messages go into the title box, where a screen reader does not hear them.
    spoken_ = new SpokenMessage(this);
    showDue(ui_->lblData->text());
}

void EditorWindow::showDue(const QString& due)
{
    ui_->lblData->setText(due);
    const QString words = DateWords::due(due, clock_.now().date());
    ui_->lblData->setAccessibleName(words);
    // Orca 48 leaves out a description too like the name it follows: beside
    // "Limpar vencimento", "sem vencimento" went unheard.
    const bool none = due == Reminder::kNoDue || due.trimmed().isEmpty();
    ui_->lblVencimento->setAccessibleDescription(none ? QStringLiteral("sem data") : words);
}

bool EditorWindow::titleInUse() const
{
    return ui_->txtTitulo->holdsMessage() || !ui_->txtTitulo->text().isEmpty();
}

void EditorWindow::clearDescription()
{
    ui_->txtDescricao->clear();
}

void EditorWindow::fill(const Reminder& reminder)
{
    // A message still ending from the last reminder must not erase this title.
    Timer1->stop();
    spoken_->hush();
    showDue(reminder.due);
    ui_->txtTitulo->setProgramText(reminder.title);
    QString description = reminder.description;
    ui_->txtDescricao->setStoredText(
        description.replace(Reminder::kLineBreak, QStringLiteral("\r\n")));
}

void EditorWindow::showTitleMessage(const QString& text, bool onMainLine)
{
    Timer1->start(MessageTime::kShownMs);
    Beep::sound();
    ui_->txtTitulo->showMessage(text);
    // A line this window unhid stays its to hide, whatever message comes next.
    if (onMainLine) {
        messageOnMainLine_ = true;
        host_.setMessageVisible(true);
    }
    spoken_->say(text);
}

void EditorWindow::messageEditedAway()
{
    // Ends as the timer would, but what the user typed stays, and a message not
    // yet heard is still said.
    Timer1->stop();
    hideMainLine();
}

void EditorWindow::hideMainLine()
{
    if (std::exchange(messageOnMainLine_, false))
        host_.setMessageVisible(false);
}

void EditorWindow::btnOk_Click()
{
    // A message in the box is no title: the box holds none. What no line can
    // carry never reaches the store, whatever a fault of Qt's left in a box.
    const QString title = DataFile::carried(ui_->txtTitulo->text(), false);
    if (ui_->txtTitulo->holdsMessage() || blankTitle(title)) {
        showTitleMessage(kVazio, refusalOnMainLine());
        // The save picture stays: nothing was written, so a status change
        // still waits for a save.
        host_.focusHolder();
        return;
    }

    const Reminder typed{.due = ui_->lblData->text(),
                         .title = title,
                         .description = DataFile::carried(ui_->txtDescricao->storedText(), true)};
    if (!host_.report(writeReminder(typed))) {
        // What the user typed stays for another try.
        host_.focusHolder();
        return;
    }
    // The main list and its save picture followed the store's write.
    stored();
    host_.focusHolder();
}

void EditorWindow::Timer1_Timer()
{
    // The user's first edit already ended the message.
    if (!ui_->txtTitulo->holdsMessage())
        return;
    ui_->txtTitulo->setProgramText(QString());
    spoken_->hush();
    Timer1->stop();
    hideMainLine();
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
