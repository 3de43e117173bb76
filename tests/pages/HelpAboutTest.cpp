#include "Fonts.h"
#include "MouseEvents.h"
#include "TwipsLayout.h"
#include "frm4_Ajuda.h"
#include "frm5_Sobre.h"

#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <memory>

namespace {

void type(QWidget* w, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

TEST(HelpWindow, LayoutAndTheNineLinesOfHelp)
{
    frm4_Ajuda window;
    EXPECT_EQ(window.objectName(), QStringLiteral("frm4_Ajuda"));
    TwipsLayout::expectLayout(&window, {{"txtAjuda", 90, 620, 3220, 1960, nullptr},
                                        {"Shape1", 90, 600, 3225, 30, nullptr},
                                        {"btnFechar", 2780, 100, 390, 375, nullptr},
                                        {"Image1", 90, 285, 645, 270, nullptr},
                                        {"Shape2", 90, 2600, 3220, 30, nullptr},
                                        {"linhamarca", 0, 480, 3735, 30, nullptr}});

    const QString expected = QString::fromUtf8(
        "Lembretes sempre entram por ordem de postagem, indo do mais antigo até o mais "
        "recente.\r\n"
        "\r\n"
        "Duplo clique com o mouse no lembrete, muda seu status de \"Concluído\" para \"Não "
        "Concluído\" e vice-versa. Após isso, é preciso pedir para \"salvar.\"\r\n"
        "\r\n"
        "Duplo clique no corpo do programa fecha as janelas.\r\n"
        "\r\n"
        "Para arrastar, clique no corpo do programa e mantenha o mouse pressionado.\r\n"
        "\r\n"
        "Lembretes deletados não podem ser recuperados. Portanto, seja cuidadoso!");
    EXPECT_EQ(frm4_Ajuda::helpText(), expected);

    auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtAjuda"));
    EXPECT_EQ(box->blockCount(), 9);
    EXPECT_EQ(box->toPlainText(), QString(expected).replace(QStringLiteral("\r\n"), "\n"));
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(HelpWindow, ReaderCannotChangeTheText)
{
    frm4_Ajuda window;
    window.show();
    auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtAjuda"));
    const QString before = box->toPlainText();
    box->setFocus();
    type(box, Qt::Key_X, QStringLiteral("x"));
    type(box, Qt::Key_Backspace);
    type(box, Qt::Key_Delete);
    EXPECT_EQ(box->toPlainText(), before);
}

// Activates the window and sends the keys, one after the other, to whatever
// holds the focus; returns the name of the control with the focus after each.
QStringList keys(QWidget* window, std::initializer_list<Qt::Key> keys)
{
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    QStringList focus;
    for (Qt::Key key : keys) {
        QTest::keyClick(QApplication::focusWidget(), key);
        focus << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                              : QString());
    }
    return focus;
}

TEST(HelpWindow, TabStopsAtTheTextAndCloseAndEscapeCloses)
{
    frm4_Ajuda window;
    EXPECT_EQ(keys(&window, {Qt::Key_Tab, Qt::Key_Tab}), QStringList({"btnFechar", "txtAjuda"}))
        << "the text first, where the page is read by keys";
    keys(&window, {Qt::Key_Escape});
    EXPECT_FALSE(window.isVisible());
}

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override { Fonts::install(); }
    // What a window hands to the desktop goes into opened instead.
    void record(frm5_Sobre& window)
    {
        window.setUrlOpener([this](const QUrl& url) { opened << url; });
    }

    QList<QUrl> opened;
};

TEST_F(AboutWindow, LayoutAndTexts)
{
    frm5_Sobre window;
    EXPECT_EQ(window.objectName(), QStringLiteral("frm5_Sobre"));
    TwipsLayout::expectLayout(
        &window, {{"Label5", 90, 1440, 3135, 1215, nullptr},
                  {"Label2", 960, 980, 735, 285, "Autor:"},
                  {"Image2", 100, 610, 720, 720, nullptr},
                  {"lblBrenquivera", 960, 1170, 2055, 285, "https://quivera.github.io/"},
                  {"Label3", 1540, 980, 1455, 255, "Equipe Quivera"},
                  {"lblFree", 90, 2740, 3105, 255, "Quivera Recordim! é totalmente FREE!"},
                  {"Label1", 2830, 600, 400, 195, "v 1.0"},
                  {"btnFechar", 2780, 100, 390, 375, nullptr},
                  {"Image1", 90, 285, 630, 270, nullptr},
                  {"Shape2", 90, 2700, 2900, 30, nullptr},
                  {"linhamarca", 0, 480, 3735, 30, nullptr},
                  {"Label4", 960, 600, 2300, 195, " Quivera Recordim!"},
                  {"Shape3", 90, 600, 750, 750, nullptr}});

    auto label = [&](const char* name) { return window.findChild<QLabel*>(QLatin1String(name)); };
    EXPECT_EQ(label("Label5")->text(),
              QStringLiteral("O Quivera Recordim! é um programa completamente intuitivo, todo "
                             "desenvolvido em C++ e Qt. É destinado apenas a postagens rápidas. "
                             "Pessoas que necessitem de algo mais sofisticado, devem procurar "
                             "outro software."));
    EXPECT_EQ(label("lblBrenquivera")->toolTip(), QStringLiteral(" https://quivera.github.io/ "));
    EXPECT_TRUE(label("Label2")->font().bold());
    EXPECT_TRUE(label("lblBrenquivera")->font().bold());
    EXPECT_TRUE(label("Label4")->font().bold());
    EXPECT_FALSE(label("Label3")->font().bold());
    EXPECT_EQ(label("lblBrenquivera")->cursor().shape(), Qt::BitmapCursor);
    label("Label2")->ensurePolished();
    EXPECT_EQ(label("Label2")->palette().color(QPalette::WindowText).name(),
              QStringLiteral("#316ac5"));
}

// The name's tooltip tells where the reminders are kept, exactly as the path
// reads: a folder name is not markup.
TEST_F(AboutWindow, NameShowsTheDataFilePathAsTyped)
{
    const QString path = QStringLiteral("/home/ana/<b>cópia</b>  2 &amp;/lembretes.dat");
    frm5_Sobre window(path);
    QTextDocument shown;
    shown.setHtml(window.findChild<QLabel*>(QStringLiteral("Label4"))->toolTip());
    EXPECT_EQ(shown.toPlainText(), path);
}

TEST_F(AboutWindow, EachClickOnTheLinkOpensThePageOnce)
{
    frm5_Sobre window;
    record(window);
    window.show();
    auto* link = window.findChild<QLabel*>(QStringLiteral("lblBrenquivera"));
    MouseEvents::click(link);
    MouseEvents::click(link);
    MouseEvents::click(link, Qt::RightButton);
    // A double click opens the page once: its second press is no click.
    MouseEvents::click(link);
    const QPoint middle = link->mapToGlobal(link->rect().center());
    MouseEvents::doubleClick(link, middle);
    MouseEvents::release(link, middle);
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened.first(), QUrl(QStringLiteral("https://quivera.github.io/")));
    EXPECT_TRUE(window.isVisible()) << "the window stays open";
}

TEST_F(AboutWindow, TabStopsAtTheLinkAndCloseAndSpaceOnTheLinkOpensThePage)
{
    frm5_Sobre window;
    record(window);
    EXPECT_EQ(keys(&window, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space}),
              QStringList({"btnFechar", "lblBrenquivera_teclado", "lblBrenquivera_teclado"}));
    EXPECT_EQ(opened.size(), 1);
    keys(&window, {Qt::Key_Escape});
    EXPECT_FALSE(window.isVisible());
}

TEST_F(AboutWindow, PressOutsideTheLinkOpensNothing)
{
    frm5_Sobre window;
    record(window);
    window.show();
    auto* link = window.findChild<QLabel*>(QStringLiteral("lblBrenquivera"));
    // Pressed on the link but released beside it: no click.
    MouseEvents::press(link, link->mapToGlobal(QPoint(3, 3)));
    MouseEvents::release(link, link->mapToGlobal(QPoint(-10, 3)));
    EXPECT_TRUE(opened.isEmpty());
}

} // namespace

namespace {

TEST(PageWindowFont, DefaultIsMsSansSerifThroughItsSubstitute)
{
    Fonts::install();
    frm4_Ajuda window;
    const QFont font = window.font();
    EXPECT_EQ(font.family(), Fonts::installedFamily(QStringLiteral("MS Sans Serif")));
    EXPECT_EQ(font.pixelSize(), Fonts::kWindowPixels);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(window.findChild<QPlainTextEdit*>()->font().pixelSize(), Fonts::kWindowPixels);
}

} // namespace
