#include "frm3_verLembrete.h"

#include "DateWords.h"
#include "MainHost.h"
#include "PageColours.h"
#include "PageScrollBar.h"
#include "PictureButton.h"
#include "PlainToolTip.h"
#include "Reminder.h"
#include "TabChain.h"
#include "WindowOwner.h"
#include "ui_frm3_verLembrete.h"

#include <QLabel>
#include <QPlainTextEdit>

frm3_verLembrete::frm3_verLembrete(MainHost& host, QWidget* parent)
    : PageWindow(QStringLiteral("frm3_verLembrete"), parent), host_(host),
      ui_(new Ui::frm3_verLembrete)
{
    setWindowTitle(QStringLiteral("Ver lembrete"));
    // Refills come with every arrow key on the main list, which must keep the keys.
    setAttribute(Qt::WA_ShowWithoutActivating);

    ui_->setupUi(this);
    btnFechar->stackUnder(ui_->lblData);
    btnFechar->setPicture(QStringLiteral(":/pictures/fechar.svg"));
    tintScrollBar(ui_->txtVerLembrete);
    // A long description is scrolled by keys once the window has the keyboard.
    chainTabs({ui_->txtVerLembrete, btnFechar});
    ui_->txtVerLembrete->setFocus(Qt::OtherFocusReason);
}

frm3_verLembrete::~frm3_verLembrete() = default;

void frm3_verLembrete::showReminder(const Reminder& reminder)
{
    fill(reminder);
    WindowOwner::moveBeside(*this, host_.mainWindow());
    show();
}

void frm3_verLembrete::fill(const Reminder& reminder)
{
    reminder_ = reminder;
    const QDate today = host_.today();
    ui_->lblData->setText(QStringLiteral("Vence em: ") + reminder.due);
    ui_->lblData->setAccessibleName(DateWords::due(reminder.due, today));
    ui_->lblTitulo->setText(reminder.title);
    ui_->lblTitulo->setToolTip(plainToolTip(reminder.title));
    QString text = reminder.description;
    text.replace(Reminder::kLineBreak, u'\n');
    // Keeps the reader's place when the same text comes again.
    if (text != ui_->txtVerLembrete->toPlainText())
        ui_->txtVerLembrete->setPlainText(text);
    ui_->lblPostado->setText(QStringLiteral("Postado em: ") + postedDate(reminder.posted));
    ui_->lblPostado->setAccessibleName(QStringLiteral("postado em ") +
                                       DateWords::posted(reminder.posted, today));
    const bool done = reminder.status == Reminder::kDone;
    ui_->lblFinalizado->setText(done ? QStringLiteral("Concluído")
                                     : QStringLiteral("Não Concluído"));
    PageColours::setTextColour(ui_->lblFinalizado, done ? kDone : kOpen);
}

bool frm3_verLembrete::restoresWithMain() const
{
    return !ui_->lblTitulo->text().isEmpty();
}

QString frm3_verLembrete::postedDate(const QString& posted)
{
    QString slashed = posted;
    slashed.replace(u'.', u'/');
    const QStringList pieces = slashed.split(u'/');
    return QStringList{pieces.value(2), pieces.value(1), pieces.value(0)}.join(u'/');
}
