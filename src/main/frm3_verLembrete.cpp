#include "frm3_verLembrete.h"

#include "DateWords.h"
#include "MainHost.h"
#include "PageColours.h"
#include "PageScrollBar.h"
#include "PictureButton.h"
#include "PlainToolTip.h"
#include "Reminder.h"
#include "TabChain.h"
#include "Twips.h"
#include "WindowOwner.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

const QColor kGrey{0x90, 0x90, 0x90};

} // namespace

frm3_verLembrete::frm3_verLembrete(WindowOwner& owner, MainHost& host, QWidget* parent)
    : PageWindow(QStringLiteral("frm3_verLembrete"), parent), owner_(owner), host_(host)
{
    setWindowTitle(QStringLiteral("Ver lembrete"));
    // Refills come with every arrow key on the main list, which must keep the keys.
    setAttribute(Qt::WA_ShowWithoutActivating);

    using Twips::rect;
    auto label = [this](const char* name, QRect at, const QColor& color) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(at);
        // What it shows comes from the data file, typed by the user.
        l->setTextFormat(Qt::PlainText);
        PageColours::setTextColour(l, color);
        return l;
    };

    txtVerLembrete = new QPlainTextEdit(this);
    txtVerLembrete->setObjectName(QStringLiteral("txtVerLembrete"));
    txtVerLembrete->setGeometry(rect(90, 945, 3220, 1650));
    txtVerLembrete->setReadOnly(true);
    txtVerLembrete->setAccessibleName(QStringLiteral("Descrição"));
    // Written on the page between its two rules, as in the help window, not in a sunken box.
    txtVerLembrete->setFrameShape(QFrame::NoFrame);
    tintScrollBar(txtVerLembrete);
    txtVerLembrete->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lblPostado = label("lblPostado", rect(90, 2760, 1680, 195), PageColours::kInk);
    lblFinalizado = label("lblFinalizado", rect(1930, 2760, 1080, 195), PageColours::kInk);
    lblFinalizado->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblData = label("lblData", rect(1770, 540, 1530, 195), kGrey);
    lblData->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    btnFechar->setPicture(QStringLiteral(":/pictures/fechar.svg"));
    auto* image1 = new PictureButton(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(rect(90, 285, 1050, 255));
    image1->setPicture(QStringLiteral(":/pictures/titulo_ver.svg"));
    addRule("Shape2", rect(90, 2600, 3220, 30), PageColours::kPaleRule);
    addRule("Shape1", rect(90, 930, 3220, 30), PageColours::kPaleRule);
    lblTitulo = label("lblTitulo", rect(90, 730, 3345, 195), PageColours::kInk);
    addRule("linhamarca", rect(0, 480, 3735, 30), PageColours::kInk);
    // The designer's order puts the first control on top.
    for (QWidget* w : {static_cast<QWidget*>(lblTitulo), static_cast<QWidget*>(image1),
                       static_cast<QWidget*>(btnFechar), static_cast<QWidget*>(lblData),
                       static_cast<QWidget*>(lblFinalizado), static_cast<QWidget*>(lblPostado),
                       static_cast<QWidget*>(txtVerLembrete)})
        w->raise();
    // A long description is scrolled by keys once the window has the keyboard.
    chainTabs({txtVerLembrete, btnFechar});
    txtVerLembrete->setFocus(Qt::OtherFocusReason);
}

void frm3_verLembrete::showReminder(const QString& posted, const QString& due,
                                    const QString& status, const QString& title,
                                    const QString& description)
{
    fill({posted, due, status, title, description});
    if (owner_.find(Secondary::VerLembrete) == this)
        owner_.place(Secondary::VerLembrete, host_.mainWindow());
    else
        move(WindowOwner::besideMain(host_.mainWindow()->geometry(), width()));
    show();
}

void frm3_verLembrete::fill(const Reminder& reminder)
{
    reminder_ = reminder;
    const QDate today = host_.today();
    lblData->setText(QStringLiteral("Vence em: ") + reminder.due);
    lblData->setAccessibleName(DateWords::due(reminder.due, today));
    lblTitulo->setText(reminder.title);
    lblTitulo->setToolTip(plainToolTip(reminder.title));
    QString text = reminder.description;
    text.replace(Reminder::kLineBreak, u'\n');
    // Keeps the reader's place when the same text comes again.
    if (text != txtVerLembrete->toPlainText())
        txtVerLembrete->setPlainText(text);
    lblPostado->setText(QStringLiteral("Postado em: ") + postedDate(reminder.posted));
    lblPostado->setAccessibleName(QStringLiteral("postado em ") +
                                  DateWords::posted(reminder.posted, today));
    const bool done = reminder.status == Reminder::kDone;
    lblFinalizado->setText(done ? QStringLiteral("Concluído") : QStringLiteral("Não Concluído"));
    PageColours::setTextColour(lblFinalizado, done ? kDone : kOpen);
}

bool frm3_verLembrete::restoresWithMain() const
{
    return !lblTitulo->text().isEmpty();
}

QString frm3_verLembrete::postedDate(const QString& posted)
{
    QString slashed = posted;
    slashed.replace(u'.', u'/');
    const QStringList pieces = slashed.split(u'/');
    return QStringList{pieces.value(2), pieces.value(1), pieces.value(0)}.join(u'/');
}
