#include "Fonts.h"
#include "PictureButton.h"
#include "ReminderStore.h"
#include "StandInWindows.h"
#include "TempFolder.h"
#include "TwipsLayout.h"
#include "WindowOwner.h"
#include "frm0_Inicial.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

class MainLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fonts::install();
        window = std::make_unique<frm0_Inicial>(store, *windows, clock);
    }

    QWidget* control(const char* name) { return window->findChild<QWidget*>(QLatin1String(name)); }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
    ReminderStore store{folder.path(), clock};
    WindowOwner owner;
    std::unique_ptr<SecondaryWindows> windows =
        standInWindows(owner, [this]() -> MainHost& { return *window; });
    std::unique_ptr<frm0_Inicial> window;
};

struct Control : TwipsLayout::Placed {
    const char* kind;
    const char* tip; // nullptr: none
    bool hand;
};

// The controls inside the window in the designer's order, the top one first.
const Control kControls[] = {
    {{"lstLembretes", 80, 1170, 3570, 2955, nullptr}, "QListWidget", nullptr, false},
    {{"lblTextoTotal", 1800, 4965, 495, 195, "Total:"}, "QLabel", nullptr, false},
    {{"imgSalvarRed", 1800, 4520, 525, 150, nullptr},
     "PictureButton",
     " Salvar lista de lembretes ",
     true},
    {{"imgCopiar", 1810, 4190, 600, 165, nullptr},
     "PictureButton",
     " Copiar para a área de transferência ",
     false},
    {{"separatriz1", 2400, 4560, 45, 120, nullptr}, "QFrame", nullptr, false},
    {{"separatriz2", 3070, 4560, 45, 120, nullptr}, "QFrame", nullptr, false},
    {{"imgSobre", 3180, 4520, 450, 150, nullptr}, "PictureButton", " Sobre o Programa ", true},
    {{"imgAjuda", 2500, 4520, 495, 240, nullptr}, "PictureButton", " Ajuda ", true},
    {{"Image2", 1080, 990, 465, 150, nullptr}, "PictureButton", nullptr, false},
    {{"imgVenceEm", 70, 1050, 780, 90, nullptr}, "PictureButton", nullptr, false},
    {{"imgSalvar", 1800, 4520, 525, 150, nullptr}, "PictureButton", nullptr, false},
    {{"lblDiaHojeGrande", 0, 4680, 690, 495, nullptr}, "QLabel", nullptr, false},
    {{"lblDataHoje", 600, 4960, 1020, 200, nullptr}, "QLabel", nullptr, false},
    {{"lblAviso", 70, 720, 2025, 195, nullptr}, "QLabel", nullptr, false},
    {{"linhaMarca2", 1760, 480, 2000, 30, nullptr}, "QFrame", nullptr, false},
    {{"btnFechar", 3180, 0, 390, 375, nullptr}, "PictureButton", " Fechar ", true},
    {{"btnMinimizar", 2700, 0, 480, 480, nullptr}, "PictureButton", " Minimizar ", true},
    {{"imgCorrigir", 2700, 590, 390, 480, nullptr}, "PictureButton", " Corrigir ", true},
    {{"imgEscrever", 2210, 590, 435, 480, nullptr}, "PictureButton", " Escrever ", true},
    {{"imgApagar", 3150, 590, 435, 480, nullptr}, "PictureButton", " Apagar ", true},
    {{"lblTotalLembretes", 2240, 4960, 1095, 195, nullptr}, "QLabel", nullptr, false},
    {{"shpLinhaLista", 80, 1160, 3580, 30, nullptr}, "QFrame", nullptr, false},
    {{"imgRetorna", 2800, 4190, 345, 165, nullptr}, "PictureButton", " Retornar ", false},
    {{"imgAvanca", 3280, 4190, 345, 165, nullptr}, "PictureButton", " Avançar ", false},
    {{"marca", 120, 190, 1650, 450, nullptr}, "PictureButton", nullptr, false},
    {{"linhamarca", 0, 480, 200, 30, nullptr}, "QFrame", nullptr, false},
    {{"imgAvancaOff", 3280, 4190, 345, 165, nullptr}, "PictureButton", nullptr, false},
    {{"imgRetornaOff", 2800, 4190, 345, 165, nullptr}, "PictureButton", nullptr, false},
};

TEST_F(MainLayout, EveryControlInPlaceWithItsTextsAndCursor)
{
    EXPECT_EQ(window->size(), QSize(249, 345));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quivera Recordim!"));
    TwipsLayout::expectLayout(window.get(), kControls, [](QWidget* w, const Control& c) {
        EXPECT_TRUE(w->inherits(c.kind));
        EXPECT_EQ(w->toolTip(), c.tip ? QString::fromUtf8(c.tip) : QString());
        // The hand is a picture of our own, not one of the system's shapes.
        EXPECT_EQ(w->cursor().shape() == Qt::BitmapCursor, c.hand);
    });
}

TEST_F(MainLayout, TheControlListedFirstLiesOnTop)
{
    const QObjectList& stack = window->children();
    qsizetype above = stack.size();
    for (const Control& c : kControls) {
        const qsizetype at = stack.indexOf(control(c.name));
        EXPECT_LT(at, above) << c.name;
        above = at;
    }
    // So the upper one of each pair answers a click on the shared place.
    const QPoint savePlace = TwipsLayout::fromTwips(1800, 4520, 525, 150).center();
    control("imgSalvarRed")->show();
    EXPECT_EQ(window->childAt(savePlace)->objectName(), QStringLiteral("imgSalvarRed"));
    control("imgSalvarRed")->hide();
    EXPECT_EQ(window->childAt(savePlace)->objectName(), QStringLiteral("imgSalvar"));
}

TEST_F(MainLayout, MessageLineAndRedSaveHiddenAtStart)
{
    EXPECT_TRUE(control("lblAviso")->isHidden());
    EXPECT_TRUE(control("imgSalvarRed")->isHidden());
    EXPECT_FALSE(control("imgSalvar")->isHidden());
    EXPECT_FALSE(control("imgAvancaOff")->isHidden());
    EXPECT_FALSE(control("imgRetornaOff")->isHidden());
}

TEST_F(MainLayout, ColoursOfTextsAndRules)
{
    struct Colour {
        const char* name;
        const char* rgb;
    };
    for (const Colour& c :
         {Colour{"lblTextoTotal", "#939393"}, Colour{"lblDiaHojeGrande", "#d4d4d4"},
          Colour{"lblDataHoje", "#939393"}, Colour{"lblAviso", "#2856a2"},
          Colour{"lblTotalLembretes", "#939393"}}) {
        QWidget* w = control(c.name);
        w->ensurePolished();
        EXPECT_EQ(w->palette().color(QPalette::WindowText).name(), QLatin1String(c.rgb)) << c.name;
    }
    for (const Colour& c : {Colour{"separatriz1", "#316ac5"}, Colour{"separatriz2", "#316ac5"},
                            Colour{"linhaMarca2", "#316ac5"}, Colour{"linhamarca", "#316ac5"},
                            Colour{"shpLinhaLista", "#5a7eb5"}}) {
        QWidget* w = control(c.name);
        const QImage painted = w->grab().toImage();
        EXPECT_EQ(painted.pixelColor(painted.rect().center()).name(), QLatin1String(c.rgb))
            << c.name;
    }
    EXPECT_EQ(control("lstLembretes")->palette().color(QPalette::Text).name(),
              QLatin1String("#000000"));
}

TEST_F(MainLayout, FontsFollowTheLayoutThroughTheirSubstitutes)
{
    const QFont base = window->font();
    EXPECT_EQ(base.family(), Fonts::installedFamily(QStringLiteral("MS Sans Serif")));
    EXPECT_EQ(base.pixelSize(), Fonts::kWindowPixels);
    EXPECT_EQ(QFontInfo(base).family(), QStringLiteral("Liberation Sans"));

    const QFont big = control("lblDiaHojeGrande")->font();
    EXPECT_EQ(big.family(), Fonts::installedFamily(QStringLiteral("Arial")));
    EXPECT_EQ(big.pixelSize(), 32) << "24 points at 96 dpi, whatever the screen's";
    EXPECT_TRUE(big.bold());
    EXPECT_EQ(QFontInfo(big).family(), QStringLiteral("Liberation Sans"));

    EXPECT_TRUE(control("lblTotalLembretes")->font().bold());
    EXPECT_EQ(control("lblTotalLembretes")->font().pixelSize(), Fonts::kWindowPixels);
    EXPECT_FALSE(control("lblDataHoje")->font().bold());
    EXPECT_EQ(control("lstLembretes")->font().pixelSize(), Fonts::kWindowPixels);

    // None asks for a family the system lacks: Qt would search every font for a
    // fallback to it before taking its substitute, at the first paint.
    const QStringList installed = QFontDatabase::families();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        EXPECT_TRUE(installed.contains(w->font().family(), Qt::CaseInsensitive))
            << w->objectName().toStdString() << " " << w->font().family().toStdString();
    }
}

TEST_F(MainLayout, WindowIsClippedToTheMainPage)
{
    const QRegion mask = window->mask();
    EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 249, 345));
    EXPECT_TRUE(mask.contains(QPoint(5, 5)));
    EXPECT_TRUE(mask.contains(QPoint(124, 200)));
    EXPECT_TRUE(mask.contains(QPoint(248, 0)));
    EXPECT_FALSE(mask.contains(QPoint(17, 3))) << "first notch";
    EXPECT_FALSE(mask.contains(QPoint(167, 4))) << "last notch";
    EXPECT_FALSE(mask.contains(QPoint(246, 342))) << "past the curl";
    // The parked controls lie outside the page.
    EXPECT_FALSE(mask.intersects(control("lstInicial")->geometry()));
}

TEST_F(MainLayout, ReminderListIsRuledPaperOfFifteenRows)
{
    auto* list = window->findChild<QListWidget*>(QStringLiteral("lstLembretes"));
    for (int i = 0; i < 15; ++i)
        list->addItem(QStringLiteral("-  Não Concluído  Lembrete %1\t\t\t\t%1").arg(i));
    window->show();
    EXPECT_EQ(list->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(list->visualItemRect(list->item(14)).bottom(), 15 * 13 - 1);
    EXPECT_LE(15 * 13, list->viewport()->height());
}

// The rules stay under the rows, also after the list scrolls.
TEST_F(MainLayout, PaperRulesRunUnderTheRows)
{
    auto* list = window->findChild<QListWidget*>(QStringLiteral("lstLembretes"));
    for (int i = 0; i < 20; ++i)
        list->addItem(QStringLiteral("-  Não Concluído  L%1\t\t\t\t%1").arg(i));
    window->show();
    for (int scrolled : {0, 1, 4}) {
        list->scrollToItem(list->item(scrolled), QAbstractItemView::PositionAtTop);
        const QImage paper = list->viewport()->grab().toImage();
        const int x = paper.width() - 30; // right of every short title
        for (int row = 0; row < 14; ++row) {
            EXPECT_EQ(paper.pixelColor(x, 13 * row + 12).name(), QStringLiteral("#b6cbed"))
                << "rule under row " << row << " scrolled " << scrolled;
            EXPECT_EQ(paper.pixelColor(x, 13 * row + 6).name(), QStringLiteral("#ffffff"))
                << "paper in row " << row << " scrolled " << scrolled;
        }
    }
}

} // namespace
