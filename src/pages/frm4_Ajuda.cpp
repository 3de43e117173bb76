#include "frm4_Ajuda.h"

#include "HandCursor.h"
#include "PageScrollBar.h"
#include "TabChain.h"
#include "ui_frm4_Ajuda.h"

#include <QPlainTextEdit>
#include <QStringList>

frm4_Ajuda::frm4_Ajuda(QWidget* parent) : PageWindow(QStringLiteral("frm4_Ajuda"), parent)
{
    Ui::frm4_Ajuda ui;
    ui.setupUi(this);
    applyHandCursor(this);
    txtAjuda = ui.txtAjuda;
    txtAjuda->setAccessibleName(QStringLiteral("Ajuda"));
    tintScrollBar(txtAjuda);
    txtAjuda->setPlainText(helpText());
    chainTabs({txtAjuda, btnFechar});
    txtAjuda->setFocus(Qt::OtherFocusReason);
}

QString frm4_Ajuda::helpText()
{
    const QStringList lines = {
        QStringLiteral("Lembretes sempre entram por ordem de postagem, indo do mais antigo até "
                       "o mais recente."),
        QString(),
        QStringLiteral("Duplo clique com o mouse no lembrete, muda seu status ") +
            QStringLiteral("de \"Concluído\" para \"Não Concluído\" e vice-versa. ") +
            QStringLiteral("Após isso, é preciso pedir para \"salvar.\""),
        QString(),
        QStringLiteral("Duplo clique no corpo do programa fecha as janelas."),
        QString(),
        QStringLiteral(
            "Para arrastar, clique no corpo do programa e mantenha o mouse pressionado."),
        QString(),
        QStringLiteral("Lembretes deletados não podem ser recuperados. Portanto, seja cuidadoso!"),
    };
    return lines.join(QStringLiteral("\r\n"));
}
