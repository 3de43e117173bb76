#include "Application.h"
#include "CalendarioFrame.h"
#include "EditorWindow.h"
#include "Reminder.h"
#include "TempFolder.h"
#include "WindowOwner.h"
#include "frm0_Inicial.h"
#include "frm3_verLembrete.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace {

// A desktop with a dark colour scheme, as KDE's or qt6ct's dark ones.
QPalette darkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Text, QColor(0xDD, 0xDD, 0xDD));
    dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Base, QColor(0x3A, 0x3A, 0x3A));
    dark.setColor(QPalette::AlternateBase, QColor(0x44, 0x44, 0x44));
    dark.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    dark.setColor(QPalette::HighlightedText, QColor(0x10, 0x10, 0x10));
    return dark;
}

// Every window with something in it, as a user sees it: list, viewer, both
// editors with their calendar out and text typed, help and about.
std::map<std::string, QImage> everyWindow()
{
    TempFolder folder;
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5)));
    Application app(folder.path(), clock);
    ReminderStore& store = app.store();
    for (int i = 0; i < 4; ++i)
        store.append({.due = i % 2 ? QStringLiteral("20/03/26") : Reminder::kNoDue,
                      .title = QStringLiteral("Lembrete %1").arg(i),
                      .description = QStringLiteral("Descrição") + Reminder::kLineBreak +
                                     QStringLiteral("linha")});
    store.setStatus(1, Reminder::kDone);
    app.start();
    app.mainWindow().show();

    const Reminder sample = store.reminderAt(1);
    auto* viewer = static_cast<frm3_verLembrete*>(&app.owner().get(Secondary::VerLembrete));
    viewer->showReminder(sample);
    for (Secondary id : {Secondary::Escrever, Secondary::Atualizar}) {
        auto* editor = static_cast<EditorWindow*>(&app.owner().get(id));
        editor->fill(sample);
        editor->calendar()->showOverBoxes();
        editor->show();
    }
    app.owner().get(Secondary::Ajuda).show();
    app.owner().get(Secondary::Sobre).show();
    QApplication::processEvents();

    std::map<std::string, QImage> shots;
    QList<QWidget*> windows{&app.mainWindow()};
    for (Secondary id : kAllSecondary)
        windows << &app.owner().get(id);
    for (QWidget* window : windows)
        shots[window->objectName().toStdString()] = window->grab().toImage();
    // The editors hid the calendar's boxes; show the boxes themselves too.
    for (Secondary id : {Secondary::Escrever, Secondary::Atualizar}) {
        auto* editor = static_cast<EditorWindow*>(&app.owner().get(id));
        editor->calendar()->park();
        shots[editor->objectName().toStdString() + " boxes"] = editor->grab().toImage();
    }
    app.owner().closeAll();
    return shots;
}

// The same picture drawn twice may differ in its anti-aliasing by a shade; a
// colour taken from the palette is far off.
bool apart(QRgb a, QRgb b)
{
    constexpr int kShade = 16;
    return std::abs(qRed(a) - qRed(b)) > kShade || std::abs(qGreen(a) - qGreen(b)) > kShade ||
           std::abs(qBlue(a) - qBlue(b)) > kShade;
}

TEST(DesktopLook, DarkPaletteLeavesEveryPageAsTheLayoutDrawsIt)
{
    // A steady text cursor, so both looks catch it alike.
    const int flash = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);
    const QPalette desktop = QApplication::palette();
    const auto light = everyWindow();
    QApplication::setPalette(darkPalette());
    const auto dark = everyWindow();
    QApplication::setPalette(desktop);
    QApplication::setCursorFlashTime(flash);

    ASSERT_EQ(light.size(), 8u);
    for (const auto& [name, image] : light) {
        const QImage& other = dark.at(name);
        ASSERT_EQ(image.size(), other.size()) << name;
        int differ = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                differ += apart(image.pixel(x, y), other.pixel(x, y));
        EXPECT_EQ(differ, 0) << name << ": pixels that followed the desktop's palette";
    }
}

} // namespace
