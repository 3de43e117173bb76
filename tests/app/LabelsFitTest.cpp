#include "Application.h"
#include "CalendarioFrame.h"
#include "EditorWindow.h"
#include "Reminder.h"
#include "ScreenRun.h"
#include "TempFolder.h"
#include "WindowOwner.h"
#include "frm0_Inicial.h"
#include "frm3_verLembrete.h"

#include <QFontMetrics>
#include <QLabel>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Every one-line label the user can see must show its whole text: the layout
// sized the labels for narrow bitmap glyphs, and a wider substitute clips them.
struct LabelsFit : ::testing::Test {
    LabelsFit() { app.start(); }
    ~LabelsFit() override { app.owner().closeAll(); }

    static void expectFit(QWidget* window)
    {
        int checked = 0;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            const QRect inWindow(label->mapTo(window, QPoint(0, 0)), label->size());
            if (label->text().isEmpty() || label->wordWrap() || !label->isVisibleTo(window) ||
                inWindow.top() >= window->height())
                continue;
            ++checked;
            // Ink may reach past the advance: the last glyph's overhang is clipped too.
            const QFontMetrics metrics(label->font());
            const int reach = std::max(metrics.horizontalAdvance(label->text()),
                                       metrics.boundingRect(label->text()).right() + 1);
            EXPECT_LE(reach, label->width())
                << window->objectName().toStdString() << " " << label->objectName().toStdString()
                << " \"" << label->text().toStdString() << "\"";
        }
        EXPECT_GT(checked, 0) << window->objectName().toStdString();
    }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 2, 27), QTime(9, 30))};
    Application app{folder.path(), clock};
};

TEST_F(LabelsFit, MainWindow)
{
    expectFit(&app.mainWindow());
}

TEST_F(LabelsFit, ViewerWithItsLongestTexts)
{
    auto* viewer = static_cast<frm3_verLembrete*>(&app.owner().get(Secondary::VerLembrete));
    // The title is the user's own text, readable in full from its tooltip.
    viewer->showReminder(
        {QStringLiteral("26.12.31.23.59.59"), Reminder::kNoDue, Reminder::kOpen, {}, {}});
    ASSERT_EQ(viewer->findChild<QLabel*>(QStringLiteral("lblFinalizado"))->text(),
              QStringLiteral("Não Concluído"));
    expectFit(viewer);
}

TEST_F(LabelsFit, EditorsWithTheirCalendarOut)
{
    for (Secondary id : {Secondary::Escrever, Secondary::Atualizar}) {
        auto* editor = static_cast<EditorWindow*>(&app.owner().get(id));
        // The calendar opens on February, the longest month name.
        editor->calendar()->showOverBoxes();
        expectFit(editor);
    }
}

TEST_F(LabelsFit, AboutWindow)
{
    expectFit(&app.owner().get(Secondary::Sobre));
}

// With Qt's scaling switched off a 120 or 144 dpi desktop keeps its logical DPI:
// text sized in points would grow past the labels the layout drew.
TEST(LabelsFitUnscaled, AtALogicalDpiOf120And144)
{
    for (int dpi : {120, 144}) {
        const ScreenRunResult run =
            runOnScreen(QStringLiteral("LabelsFit.*"), OtherScreen{1.0, dpi, false});
        EXPECT_EQ(run.exitCode, 0) << dpi << " dpi\n" << run.output.toStdString();
        EXPECT_EQ(run.passed, 4) << dpi << " dpi";
    }
}

} // namespace
