#include "CalendarioFrame.h"
#include "EditorFixture.h"
#include "QtPrinters.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>

#include <functional>
#include <random>

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
    chooseInMenu(QStringLiteral("C&olar"));
    EXPECT_EQ(titulo->text(), QStringLiteral("xyzw"));
    QTest::keyClick(descricao, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(descricao->storedText(), QStringLiteral("xyz\r\nw"));
    QMimeData dropped;
    dropped.setText(QStringLiteral("~1§"));
    QDragEnterEvent enter(QPoint(200, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(titulo, &enter);
    QDropEvent drop(QPointF(200, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(titulo, &drop);
    EXPECT_EQ(titulo->text(), QStringLiteral("xyzw1"));

    // A cleaned paste is one step for Undo and Redo; what brings only refused
    // characters changes nothing and leaves the history as it was.
    titulo->setProgramText(QStringLiteral("ab"));
    titulo->end(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("x§y"));
    chooseInMenu(QStringLiteral("C&olar"));
    EXPECT_EQ(titulo->text(), QStringLiteral("abxy"));
    QGuiApplication::clipboard()->setText(QStringLiteral("§~"));
    QTest::keyClick(titulo, Qt::Key_Insert, Qt::ShiftModifier);
    chooseInMenu(QStringLiteral("C&olar"));
    EXPECT_EQ(titulo->text(), QStringLiteral("abxy"));
    chooseInMenu(QStringLiteral("&Desfazer"));
    EXPECT_EQ(titulo->text(), QStringLiteral("ab"));
    chooseInMenu(QStringLiteral("&Refazer"));
    EXPECT_EQ(titulo->text(), QStringLiteral("abxy"));
}

TEST_F(Typing, theTitleTakesAtMost45CharactersHoweverTheyCome)
{
    const QString fifty(50, u'a');
    typeKeys(titulo, fifty);
    EXPECT_EQ(titulo->text(), QString(45, u'a'));
    titulo->clear();
    typeKeys(titulo, QStringLiteral("12345"));
    QGuiApplication::clipboard()->setText(fifty);
    chooseInMenu(QStringLiteral("C&olar"));
    EXPECT_EQ(titulo->text(), QStringLiteral("12345") + QString(40, u'a'));

    // A longer title read from the file comes back whole on Undo.
    const QString fromFile = QStringLiteral("b") + fifty;
    titulo->setProgramText(fromFile);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(titulo, Qt::Key_Backspace);
    EXPECT_EQ(titulo->text(), fromFile.left(41));
    chooseInMenu(QStringLiteral("&Desfazer"));
    EXPECT_EQ(titulo->text(), fromFile);

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

// A seeded random script of edits, typed into the title box and into a plain
// 45-character line edit: the title box must end every step as the plain box
// does, Undo and Redo included. With `message`, each round starts while a
// message shows over an empty plain box: until the user's first edit ends it,
// the title box holds no text at all.
class TitleScript {
public:
    TitleScript(TitleBox* title, EditorWindow* editor, unsigned seed)
        : title_(title), editor_(editor), random_(seed)
    {
        plain_.setMaxLength(TitleBox::kMaxLength);
    }

    void round(bool message, int steps)
    {
        script_ = message ? QStringLiteral("message: ") : QString();
        if (message) {
            title_->setProgramText({});
            QTest::mouseClick(editor_->findChild<QWidget*>(QStringLiteral("btnOk")),
                              Qt::LeftButton);
            plain_.setText({});
        } else {
            const QString start = word().repeated(pick(4)).left(TitleBox::kMaxLength);
            title_->setProgramText(start);
            plain_.setText(start);
            script_ = "\"" + start + "\": ";
        }
        for (int i = 0; i < steps && !::testing::Test::HasFailure(); ++i) {
            step();
            if (title_->holdsMessage()) {
                ASSERT_TRUE(title_->text().isEmpty()) << script_.toStdString();
                ASSERT_TRUE(plain_.text().isEmpty()) << script_.toStdString();
                continue;
            }
            ASSERT_FALSE(editor_->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive())
                << script_.toStdString();
            ASSERT_EQ(title_->text(), plain_.text()) << script_.toStdString();
            ASSERT_EQ(title_->cursorPosition(), plain_.cursorPosition()) << script_.toStdString();
            ASSERT_EQ(title_->selectedText(), plain_.selectedText()) << script_.toStdString();
        }
    }

private:
    int pick(int n) { return int(random_() % unsigned(n)); }

    // Few letters and short words, so that equal ones meet often.
    QString word()
    {
        static const QStringList words = {"n", "no", "novo ", "a", "aa", "ã", "Enviar", " "};
        return words[pick(int(words.size()))];
    }

    void both(const std::function<void(QLineEdit*)>& edit, const QString& name)
    {
        script_ += name + u' ';
        edit(title_);
        edit(&plain_);
    }

    void key(Qt::Key key, Qt::KeyboardModifiers mods, const QString& name)
    {
        both([&](QLineEdit* box) { QTest::keyClick(box, key, mods); }, name);
    }

    void step()
    {
        const Qt::KeyboardModifiers shift = pick(2) ? Qt::ShiftModifier : Qt::NoModifier;
        switch (pick(14)) {
        case 0:
            key(Qt::Key_Left, shift, "Left");
            break;
        case 1:
            key(Qt::Key_Right, shift, "Right");
            break;
        case 2:
            key(Qt::Key_Home, shift, "Home");
            break;
        case 3:
            key(Qt::Key_End, shift, "End");
            break;
        case 4:
            key(Qt::Key_Backspace, Qt::NoModifier, "Backspace");
            break;
        case 5:
            key(Qt::Key_Delete, Qt::NoModifier, "Delete");
            break;
        case 6:
            key(Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace");
            break;
        case 7:
            key(Qt::Key_Delete, Qt::ShiftModifier, "Shift+Delete");
            break;
        case 8: {
            const QString text = word();
            QGuiApplication::clipboard()->setText(text);
            key(Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert(" + text + ")");
            break;
        }
        case 9:
            both([](QLineEdit* box) { box->undo(); }, "Undo");
            break;
        case 10:
            both([](QLineEdit* box) { box->redo(); }, "Redo");
            break;
        case 11: {
            const QString text = word();
            both(
                [&](QLineEdit* box) {
                    QInputMethodEvent composed;
                    composed.setCommitString(text);
                    QCoreApplication::sendEvent(box, &composed);
                },
                "IM(" + text + ")");
            break;
        }
        case 12: {
            // Refused: nothing changes, a message included.
            const QString before = title_->text();
            const bool message = title_->holdsMessage();
            script_ += "~ ";
            typeKeys(title_, QStringLiteral("~§"));
            ASSERT_EQ(title_->text(), before) << script_.toStdString();
            ASSERT_EQ(title_->holdsMessage(), message) << script_.toStdString();
            break;
        }
        default: {
            const QString text = word();
            both([&](QLineEdit* box) { typeKeys(box, text); }, "type(" + text + ")");
        }
        }
    }

    TitleBox* title_;
    EditorWindow* editor_;
    std::mt19937 random_;
    QLineEdit plain_;
    QString script_;
};

TEST_F(Typing, theTitleBoxEditsAsAPlainLineEditByEveryRoute)
{
    // More seeds and steps: QR_TITLE_SEEDS=N.
    const int seeds = qEnvironmentVariableIntValue("QR_TITLE_SEEDS") > 0
                          ? qEnvironmentVariableIntValue("QR_TITLE_SEEDS")
                          : 4;
    for (int seed = 1; seed <= seeds && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        TitleScript script(titulo, editor, unsigned(seed));
        for (int round = 0; round < 40 && !HasFailure(); ++round)
            script.round(round % 2 == 1, 40);
    }
}
