#include "CalendarioFrame.h"
#include "EditorFixture.h"
#include "QtPrinters.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>

namespace {

class Typing : public EditorFixture {
protected:
    void SetUp() override { open<frm1_Escrever>(); }
};

} // namespace

TEST_F(Typing, allowedCharactersGoInAndReservedOnesNever)
{
    typeKeys(titulo, QStringLiteral("Olá, Çé (ok)! 50% \"já\""));
    EXPECT_EQ(titulo->text(), QStringLiteral("Olá, Çé (ok)! 50% \"já\""));

    titulo->clear();
    typeKeys(titulo, QStringLiteral("a§b¤c¥d~e^f×gªhºi°j`k´l"));
    EXPECT_EQ(titulo->text(), QStringLiteral("abcdefghijkl"));

    typeKeys(descricao, QStringLiteral("x§y¥z"));
    EXPECT_EQ(descricao->toPlainText(), QStringLiteral("xyz"));
}

TEST_F(Typing, deleteArrowsHomeEndAndBackspaceStillEdit)
{
    typeKeys(titulo, QStringLiteral("abcd"));
    QTest::keyClick(titulo, Qt::Key_Left);
    QTest::keyClick(titulo, Qt::Key_Left);
    QTest::keyClick(titulo, Qt::Key_Delete);
    EXPECT_EQ(titulo->text(), QStringLiteral("abd"));
    QTest::keyClick(titulo, Qt::Key_Home);
    QTest::keyClick(titulo, Qt::Key_Delete);
    EXPECT_EQ(titulo->text(), QStringLiteral("bd"));
    QTest::keyClick(titulo, Qt::Key_End);
    QTest::keyClick(titulo, Qt::Key_Backspace);
    EXPECT_EQ(titulo->text(), QStringLiteral("b"));

    typeKeys(titulo, QStringLiteral("cde"));
    QTest::keyClick(titulo, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(titulo, Qt::Key_Left, Qt::ShiftModifier);
    typeKeys(titulo, QStringLiteral("X"));
    EXPECT_EQ(titulo->text(), QStringLiteral("bcX"));

    // Mid-title, before a letter equal to the one typed or erased.
    titulo->clear();
    typeKeys(titulo, QStringLiteral("Ir ao notebook"));
    QTest::keyClick(titulo, Qt::Key_Home);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(titulo, Qt::Key_Right);
    typeKeys(titulo, QStringLiteral("novo "));
    EXPECT_EQ(titulo->text(), QStringLiteral("Ir ao novo notebook"));
    titulo->setProgramText(QStringLiteral("Comprar ppao"));
    titulo->setCursorPosition(9);
    QTest::keyClick(titulo, Qt::Key_Backspace);
    typeKeys(titulo, QStringLiteral("x"));
    EXPECT_EQ(titulo->text(), QStringLiteral("Comprar xpao"));
    titulo->setText(QStringLiteral("b"));

    typeKeys(descricao, QStringLiteral("um"));
    QTest::keyClick(descricao, Qt::Key_Return);
    typeKeys(descricao, QStringLiteral("dois"));
    QTest::keyClick(descricao, Qt::Key_Up);
    QTest::keyClick(descricao, Qt::Key_End);
    QTest::keyClick(descricao, Qt::Key_Delete);
    EXPECT_EQ(descricao->toPlainText(), QStringLiteral("umdois"));
}

TEST_F(Typing, ctrlLettersTypeControlCodesThatAreDropped)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("colado"));
    typeKeys(titulo, QStringLiteral("texto"));
    titulo->selectAll();
    QTest::keyClick(titulo, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(titulo, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(titulo->text(), QStringLiteral("texto"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("colado"));
    titulo->end(false);
    QTest::keyClick(titulo, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(descricao, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(titulo->text(), QStringLiteral("texto"));
    EXPECT_TRUE(descricao->toPlainText().isEmpty());

    // Ctrl+H is backspace and Ctrl+M is Enter, as the codes they type.
    QTest::keyClick(titulo, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(titulo->text(), QStringLiteral("text"));
    typeKeys(descricao, QStringLiteral("a"));
    QTest::keyClick(descricao, Qt::Key_M, Qt::ControlModifier);
    typeKeys(descricao, QStringLiteral("b"));
    EXPECT_EQ(descricao->storedText(), QStringLiteral("a\r\nb"));

    // Shift+Enter makes a soft break in Qt, still one line break in the file.
    QTest::sendKeyEvent(QTest::Click, descricao, Qt::Key_Return, QStringLiteral("\r"),
                        Qt::ShiftModifier);
    typeKeys(descricao, QStringLiteral("c"));
    EXPECT_EQ(descricao->storedText(), QStringLiteral("a\r\nb\r\nc"));
}

TEST_F(Typing, pastedTextIsFilteredLikeTypedText)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("x§y\tz\r\nw~\u20AC"));
    QTest::keyClick(titulo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(titulo->text(), QStringLiteral("xyzw"));
    titulo->clear();
    titulo->paste(); // the context menu's route
    EXPECT_EQ(titulo->text(), QStringLiteral("xyzw"));

    QTest::keyClick(descricao, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(descricao->storedText(), QStringLiteral("xyz\r\nw"));
}

TEST_F(Typing, theTitleTakesAtMost45CharactersHoweverTheyCome)
{
    const QString fifty(50, u'a');
    typeKeys(titulo, fifty);
    EXPECT_EQ(titulo->text(), QString(45, u'a'));
    titulo->clear();
    typeKeys(titulo, QStringLiteral("12345"));
    QGuiApplication::clipboard()->setText(fifty);
    titulo->paste();
    EXPECT_EQ(titulo->text(), QStringLiteral("12345") + QString(40, u'a'));

    typeKeys(descricao, fifty + fifty);
    EXPECT_EQ(descricao->toPlainText().size(), 100);
}

TEST_F(Typing, composedTextIsFilteredToo)
{
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ã~§b\n"));
    QCoreApplication::sendEvent(titulo, &composed);
    EXPECT_EQ(titulo->text(), QStringLiteral("ãb"));
    QInputMethodEvent intoDescription;
    intoDescription.setCommitString(QStringLiteral("ã~§b\n"));
    QCoreApplication::sendEvent(descricao, &intoDescription);
    EXPECT_EQ(descricao->storedText(), QStringLiteral("ãb\r\n"));
}

// The names of the controls Tab (or Backtab) lands on, key after key.
QStringList tabStops(EditorWindow* editor, int count, Qt::Key key = Qt::Key_Tab)
{
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(editor->focusWidget(), key,
                        key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        names.append(editor->focusWidget()->objectName());
    }
    return names;
}

TEST_F(Typing, tabVisitsTheBoxesThenCalendarVencimentoOkAndClose)
{
    EXPECT_EQ(editor->focusWidget(), titulo);
    EXPECT_EQ(tabStops(editor, 7),
              QStringList({"txtDescricao", "btnCalendario", "lblVencimento_teclado", "btnOk",
                           "btnFechar", "txtTitulo", "txtDescricao"}));
    EXPECT_EQ(tabStops(editor, 2, Qt::Key_Backtab), QStringList({"txtTitulo", "btnFechar"}));
    EXPECT_TRUE(titulo->text().isEmpty());
    EXPECT_TRUE(descricao->toPlainText().isEmpty());

    // Space on the calendar picture opens it: the boxes it covers leave the round,
    // its month buttons and the keyboard's day (today, the 14th) join it.
    tabStops(editor, 3);
    ASSERT_EQ(editor->focusWidget()->objectName(), QStringLiteral("btnCalendario"));
    QTest::keyClick(editor->focusWidget(), Qt::Key_Space);
    ASSERT_FALSE(editor->calendar()->isParked());
    EXPECT_EQ(tabStops(editor, 8),
              QStringList({"lblVencimento_teclado", "btnOk", "btnFechar", "btnPrev2", "btnAtual2",
                           "btnNext2", "Casa2_teclado", "btnCalendario"}));

    // Escape only parks it, and the keyboard comes back to the picture.
    tabStops(editor, 1, Qt::Key_Backtab);
    QTest::keyClick(editor->focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(editor->calendar()->isParked());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->focusWidget()->objectName(), QStringLiteral("btnCalendario"));
    EXPECT_EQ(tabStops(editor, 1, Qt::Key_Backtab), QStringList({"txtDescricao"}));

    // Opened by the mouse, the calendar leaves the keyboard in the box it covers,
    // where Escape parks it too and takes nothing typed away.
    typeKeys(titulo, QStringLiteral("guardado"));
    for (QWidget* box : {static_cast<QWidget*>(titulo), static_cast<QWidget*>(descricao)}) {
        box->setFocus();
        click("btnCalendario");
        EXPECT_EQ(editor->focusWidget(), box);
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_TRUE(editor->calendar()->isParked()) << box->objectName().toStdString();
    }
    EXPECT_EQ(titulo->text(), QStringLiteral("guardado"));
}

TEST_F(Typing, whatIsTypedReachesTheFileWithoutReservedCharacters)
{
    typeKeys(titulo, QStringLiteral("Título\t§¤¥ \"x\""));
    typeKeys(descricao, QStringLiteral("l1"));
    QTest::keyClick(descricao, Qt::Key_Return);
    typeKeys(descricao, QStringLiteral("l2\t¥"));
    ok();
    ASSERT_EQ(host.store().count(), 1);
    const QByteArray bytes = host.folder.read(ReminderStore::kFileName);
    // Four field separators, one escaped line break, two escaped quotes.
    EXPECT_EQ(bytes.count('\xA7'), 4);
    EXPECT_EQ(bytes.count('\xA5'), 1);
    EXPECT_EQ(bytes.count('\xA4'), 2);
    EXPECT_FALSE(bytes.contains('\t'));

    ReminderStore reread(host.folder.path(), host.clock);
    ASSERT_EQ(reread.load(), StoreStatus::Ok);
    EXPECT_EQ(reread.reminderAt(0).title, QStringLiteral("Título \"x\""));
    EXPECT_EQ(reread.reminderAt(0).description, QStringLiteral("l1\u00A5l2"));
}
