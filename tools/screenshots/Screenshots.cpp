// Saves a PNG of each window, clipped to its shape, into the folder given as the
// last argument: the main window with a page of sample reminders, then every
// secondary window as the main window would open it, holding a reminder where it
// shows one, and the new-reminder editor once more with its calendar out.
// With --main-only, only the main window, named after the screen's scale when it
// is not 100 % (frm0_Inicial_200.png at a device pixel ratio of 2).
#include "Application.h"
#include "CalendarioFrame.h"
#include "Clock.h"
#include "EditorWindow.h"
#include "Reminder.h"
#include "WindowOwner.h"
#include "frm0_Inicial.h"
#include "frm3_verLembrete.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QThread>

namespace {

void settle()
{
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

bool save(QWidget* window, const QString& file)
{
    settle();
    // In device pixels: a shot at 200 % shows what a user of such a screen sees.
    const qreal ratio = window->devicePixelRatioF();
    QImage shot(window->size() * ratio, QImage::Format_ARGB32);
    shot.setDevicePixelRatio(ratio);
    shot.fill(Qt::transparent);
    QPainter painter(&shot);
    if (!window->mask().isEmpty())
        painter.setClipRegion(window->mask());
    painter.drawPixmap(0, 0, window->grab());
    painter.end();
    return shot.save(file);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool mainOnly = argc == 3 && qstrcmp(argv[1], "--main-only") == 0;
    if (argc != 2 && !mainOnly) {
        qWarning("usage: qr_screenshots [--main-only] FOLDER");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[argc - 1]));
    QTemporaryDir data;
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 30)));
    Application program(data.path(), clock);
    ReminderStore& store = program.store();
    const char* titles[] = {"Pagar a conta de luz",
                            "Dentista às 15h",
                            "Comprar pão e leite",
                            "Ligar para a Ana",
                            "Renovar a carteira de motorista",
                            "Reunião do condomínio",
                            "Levar o carro à revisão",
                            "Aniversário do João",
                            "Devolver livros à biblioteca",
                            "Enviar relatório mensal",
                            "Regar as plantas",
                            "Marcar consulta no oftalmologista",
                            "Pagar o IPTU",
                            "Comprar presente de Natal",
                            "Backup do computador",
                            "Cortar o cabelo",
                            "Trocar a lâmpada da cozinha"};
    int day = 1;
    for (const char* title : titles) {
        const QString due = day % 3 ? QStringLiteral("%1/12/26").arg(day, 2, 10, QLatin1Char('0'))
                                    : Reminder::kNoDue;
        const QString description = day % 2 ? QStringLiteral("Descrição de exemplo") +
                                                  Reminder::kLineBreak +
                                                  QStringLiteral("em duas linhas.")
                                            : QString();
        store.append({.due = due, .title = QString::fromUtf8(title), .description = description});
        ++day;
    }
    // A few done, as after a double click and a save.
    for (int k : {1, 4, 5, 9})
        store.setStatus(k, QStringLiteral("×"));
    store.saveAll();
    program.start();
    frm0_Inicial& main = program.mainWindow();
    main.move(700, 40);
    const int percent = qRound(main.devicePixelRatioF() * 100);
    bool ok = save(&main, out.filePath(percent == 100
                                           ? QStringLiteral("frm0_Inicial.png")
                                           : QStringLiteral("frm0_Inicial_%1.png").arg(percent)));
    if (mainOnly)
        return ok ? 0 : 1;

    struct Shot {
        Secondary id;
        const char* file;
    };
    for (const Shot& s :
         {Shot{Secondary::Escrever, "frm1_Escrever.png"},
          Shot{Secondary::Atualizar, "frm2_Atualizar.png"},
          Shot{Secondary::VerLembrete, "frm3_verLembrete.png"},
          Shot{Secondary::Ajuda, "frm4_Ajuda.png"}, Shot{Secondary::Sobre, "frm5_Sobre.png"}}) {
        program.owner().place(s.id, &main);
        QWidget* window = &program.owner().get(s.id);
        const Reminder sample = store.reminderAt(store.count() - 1);
        if (auto* viewer = qobject_cast<frm3_verLembrete*>(window))
            viewer->showReminder(sample);
        auto* editor = qobject_cast<EditorWindow*>(window);
        if (s.id == Secondary::Atualizar)
            editor->fill(sample);
        window->show();
        ok = save(window, out.filePath(QLatin1String(s.file))) && ok;
        if (s.id == Secondary::Escrever) {
            editor->calendar()->showOverBoxes();
            ok = save(window, out.filePath(QStringLiteral("frm1_Escrever_calendario.png"))) && ok;
        }
        program.owner().close(s.id);
    }
    return ok ? 0 : 1;
}
