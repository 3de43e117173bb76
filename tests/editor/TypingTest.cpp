#include "CalendarioFrame.h"
#include "DataFile.h"
#include "EditorFixture.h"
#include "LimitaChars.h"
#include "QtPrinters.h"
#include "RowList.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPlainTextEdit>

#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <type_traits>

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
    // Words stay apart where a TAB or a line break stood.
    QGuiApplication::clipboard()->setText(QStringLiteral("x§y\tz\r\nw~\u20AC"));
    QTest::keyClick(titulo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(titulo->text(), QStringLiteral("xy z w"));
    titulo->clear();
    chooseInMenu(QStringLiteral("C&olar"));
    EXPECT_EQ(titulo->text(), QStringLiteral("xy z w"));
    QTest::keyClick(descricao, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(descricao->storedText(), QStringLiteral("xy z\r\nw"));
    // An accent copied apart from its letter, as from a PDF, stays on it.
    titulo->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("na\u0303o\r\n"));
    QTest::keyClick(titulo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(titulo->text(), QStringLiteral("n\u00E3o "));
    QMimeData dropped;
    dropped.setText(QStringLiteral("~1§"));
    QDragEnterEvent enter(QPoint(200, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(titulo, &enter);
    QDropEvent drop(QPointF(200, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(titulo, &drop);
    EXPECT_EQ(titulo->text(), QStringLiteral("n\u00E3o 1"));

    // A cleaned paste is one step for Undo and Redo, apart from the typing
    // before it; what brings only refused characters changes nothing and leaves
    // the history as it was.
    titulo->setProgramText({});
    typeKeys(titulo, QStringLiteral("ab"));
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
    // ... and from the typing after it.
    typeKeys(titulo, QStringLiteral("Z"));
    chooseInMenu(QStringLiteral("&Desfazer"));
    EXPECT_EQ(titulo->text(), QStringLiteral("abxy"));
    chooseInMenu(QStringLiteral("&Desfazer"));
    typeKeys(titulo, QStringLiteral("Z"));
    EXPECT_EQ(titulo->text(), QStringLiteral("abZ"));
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

    // Its letters all replaced, it takes 45 new ones, and Undo brings it back.
    titulo->setProgramText(fromFile);
    QTest::keyClick(titulo, Qt::Key_End);
    QTest::keyClick(titulo, Qt::Key_Home, Qt::ShiftModifier);
    typeKeys(titulo, QString(50, u'c'));
    EXPECT_EQ(titulo->text(), QString(45, u'c'));
    chooseInMenu(QStringLiteral("&Desfazer"));
    EXPECT_EQ(titulo->text(), fromFile);
    // Nor does a paste or a key of many letters take it past 45.
    titulo->selectAll();
    QGuiApplication::clipboard()->setText(fifty + QStringLiteral("\t"));
    QTest::keyClick(titulo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(titulo->text(), QString(45, u'a'));
    titulo->setProgramText(fromFile);
    QTest::sendKeyEvent(QTest::Click, titulo, Qt::Key_unknown, QStringLiteral("xyz"),
                        Qt::NoModifier);
    EXPECT_EQ(titulo->text(), fromFile);

    typeKeys(descricao, fifty + fifty);
    EXPECT_EQ(descricao->toPlainText().size(), 100);
}

TEST_F(Typing, composedTextAndKeysOfManyLettersAreCleanedAsAPaste)
{
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ã~§b\n"));
    QCoreApplication::sendEvent(titulo, &composed);
    EXPECT_EQ(titulo->text(), QStringLiteral("ãb "));
    QInputMethodEvent intoDescription;
    intoDescription.setCommitString(QStringLiteral("ã~§b\n"));
    QCoreApplication::sendEvent(descricao, &intoDescription);
    EXPECT_EQ(descricao->storedText(), QStringLiteral("ãb\r\n"));

    // A commit of nothing the box takes replaces nothing either.
    QInputMethodEvent refused;
    refused.setCommitString(QStringLiteral("§~"), -2, 2);
    QCoreApplication::sendEvent(titulo, &refused);
    EXPECT_EQ(titulo->text(), QStringLiteral("ãb "));

    // A key whose text is several characters, as some input tools send.
    titulo->clear();
    for (const QString& text : {QStringLiteral("a\nb"), QStringLiteral("\r§c")}) {
        QTest::sendKeyEvent(QTest::Click, titulo, Qt::Key_unknown, text, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, descricao, Qt::Key_unknown, text, Qt::NoModifier);
    }
    EXPECT_EQ(titulo->text(), QStringLiteral("a b c"));
    EXPECT_EQ(descricao->storedText(), QStringLiteral("ãb\r\na\r\nb\r\nc"));
}

// What a screen reader or a dictation tool sets, inserts or pastes through the
// accessibility interface passes the same cleaning before Qt applies it.
TEST_F(Typing, aScreenReadersTextIsCleanedToo)
{
    auto edit = [](QWidget* box) {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
        EXPECT_TRUE(reader && reader->editableTextInterface() && reader->textInterface());
        return reader;
    };
    QAccessibleInterface* title = edit(titulo);
    QAccessibleInterface* description = edit(descricao);
    ASSERT_FALSE(HasFailure());
    description->editableTextInterface()->replaceText(0, 0, QStringLiteral("minha descricao"));
    title->editableTextInterface()->replaceText(0, title->textInterface()->characterCount(),
                                                QStringLiteral("Um§Dois\tTres~"));
    EXPECT_EQ(titulo->text(), QStringLiteral("UmDois Tres"));
    title->editableTextInterface()->insertText(2, QStringLiteral("§\t"));
    EXPECT_EQ(titulo->text(), QStringLiteral("Um Dois Tres"));
    title->editableTextInterface()->insertText(0, QStringLiteral("§~"));
    EXPECT_EQ(titulo->text(), QStringLiteral("Um Dois Tres"));
    title->setText(QAccessible::Value, QString(50, u'x'));
    EXPECT_EQ(titulo->text(), QString(45, u'x'));
    EXPECT_EQ(title->textInterface()->text(0, 3), QStringLiteral("xxx"));

    description->editableTextInterface()->insertText(5, QStringLiteral("x§y~z\tw\r\n"));
    EXPECT_EQ(descricao->storedText(), QStringLiteral("minhaxyz w\r\n descricao"));
    description->setText(QAccessible::Value, QStringLiteral("a\u00A5b"));
    EXPECT_EQ(descricao->storedText(), QStringLiteral("ab"));

    // The whole reminder reaches the file as the boxes hold it.
    ok();
    ASSERT_EQ(host.store().count(), 1);
    EXPECT_EQ(host.store().reminderAt(0).title, QString(45, u'x'));
    EXPECT_EQ(host.store().reminderAt(0).description, QStringLiteral("ab"));
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

// ---- every route, against a plain Qt box ----

QString textOf(const QLineEdit* box)
{
    return box->text();
}
QString textOf(const QPlainTextEdit* box)
{
    return box->toPlainText();
}
int cursorOf(const QLineEdit* box)
{
    return box->cursorPosition();
}
int cursorOf(const QPlainTextEdit* box)
{
    return box->textCursor().position();
}
int anchorOf(const QLineEdit* box)
{
    if (!box->hasSelectedText())
        return box->cursorPosition();
    const int start = box->selectionStart();
    return box->cursorPosition() == start ? box->selectionEnd() : start;
}
int anchorOf(const QPlainTextEdit* box)
{
    return box->textCursor().anchor();
}
int selectedOf(const QLineEdit* box)
{
    return int(box->selectedText().size());
}
int selectedOf(const QPlainTextEdit* box)
{
    return int(box->textCursor().selectedText().size());
}

// The Portuguese entries of a text box's menu, their keyboard marks aside.
const QStringList kMenu = {"Desfazer", "Refazer", "Recortar",       "Copiar",
                           "Colar",    "Excluir", "Selecionar tudo"};

QAction* entry(QMenu* menu, const QString& name)
{
    for (QAction* action : menu->actions())
        if (action->text().remove(u'&').startsWith(name))
            return action;
    return nullptr;
}

// A seeded random script of edits, sent by every route to one of the editor's
// boxes and to a plain Qt box of the same kind. The plain box is handed, by the
// same Qt route, what the editor's box promises to make of each input: cleaned,
// and in the title no more than 45 characters leave room for; where nothing is
// left, nothing. After every step both hold the same text, cursor and
// selection, Undo and Redo included, and what OK would store of the box's text
// is all of it, and reads back from the file as it.
template <class Box, class Plain> class BoxScript {
public:
    static constexpr bool kTitle = std::is_same_v<Plain, QLineEdit>;

    // The editor's OK, and a choice in the title box's own menu.
    struct Editor {
        std::function<void()> ok;
        std::function<void(const QString&)> chooseInMenu;
    };

    BoxScript(Box* box, Editor editor, unsigned seed)
        : box_(box), editor_(std::move(editor)), random_(seed)
    {
        if constexpr (kTitle)
            plain_.setMaxLength(32767);
    }

    void round(bool message, int steps)
    {
        start(message);
        for (int i = 0; i < steps && !::testing::Test::HasFailure(); ++i) {
            step();
            // QR_TYPING_TRACE=1: each step, and the text, cursor and anchor after it.
            if (qEnvironmentVariableIsSet("QR_TYPING_TRACE"))
                std::fprintf(stderr, "%s -> [%s] %d %d\n",
                             qPrintable(script_.section(u' ', -2, -2)), qPrintable(textOf(box_)),
                             cursorOf(box_), anchorOf(box_));
            if constexpr (kTitle) {
                if (box_->holdsMessage()) {
                    ASSERT_TRUE(box_->text().isEmpty()) << script_.toStdString();
                    ASSERT_TRUE(plain_.text().isEmpty()) << script_.toStdString();
                    continue;
                }
            }
            compare();
        }
    }

private:
    int pick(int n) { return int(random_() % unsigned(n)); }

    void start(bool message)
    {
        script_.clear();
        if constexpr (kTitle) {
            if (message) {
                script_ = QStringLiteral("message: ");
                box_->setProgramText({});
                editor_.ok();
                plain_.setText({});
                longest_ = TitleBox::kMaxLength;
                return;
            }
            // Now and then a title past 45, as a file may hold one.
            const QString start = pick(4) == 0 ? word(false).repeated(30).left(46 + pick(10))
                                               : word(false).repeated(pick(4)).left(45);
            box_->setProgramText(start);
            plain_.setText(start);
            longest_ = qMax<qsizetype>(TitleBox::kMaxLength, start.size());
            script_ = "\"" + start + "\": ";
        } else {
            const QString start = word(false).repeated(pick(3));
            box_->setStoredText(start);
            plain_.setPlainText(start);
            script_ = "\"" + start + "\": ";
        }
    }

    // Few letters and short words, so that equal ones meet often; now and then
    // what the filter refuses, a TAB or a line break.
    QString word(bool odd = true)
    {
        static const QStringList plainWords = {"n", "no", "novo ", "a", "aa", "ã", "Enviar", " "};
        static const QStringList oddWords = {"x§y",       "~", "\t",   "a\nb",   "\r\n",
                                             "na\u0303o", "§", "c\tc", "\u00A5", "e\u0301"};
        if (odd && pick(4) == 0)
            return oddWords[pick(int(oddWords.size()))];
        return plainWords[pick(int(plainWords.size()))];
    }

    // What the box lets in where `replaced` characters besides the selection go.
    QString admitted(const QString& brought, int replaced = 0) const
    {
        const QString kept = LimitaChars::clean(brought, !kTitle);
        if constexpr (kTitle) {
            const qsizetype room =
                TitleBox::kMaxLength - (plain_.text().size() - selectedOf(&plain_) - replaced);
            return kept.left(qMax<qsizetype>(0, room));
        } else {
            return kept;
        }
    }

    void note(const QString& name) { script_ += name + u' '; }

    void key(Qt::Key key, Qt::KeyboardModifiers mods, const QString& name)
    {
        note(name);
        QTest::keyClick(box_, key, mods);
        QTest::keyClick(&plain_, key, mods);
    }

    // A paste by `paste` of `brought` from the clipboard.
    void pasteBoth(const QString& brought, const std::function<void(QWidget*)>& paste)
    {
        const QString kept = admitted(brought);
        QGuiApplication::clipboard()->setText(brought);
        paste(box_);
        if (kept.isEmpty() && !brought.isEmpty())
            return;
        QGuiApplication::clipboard()->setText(kept);
        paste(&plain_);
    }

    void typeBoth(const QString& text)
    {
        note("type(" + text + ")");
        typeKeys(box_, text);
        for (QChar ch : text) {
            // Typed one key at a time, each filtered and fitted on its own.
            if (LimitaChars::filter(ch.unicode()) == LimitaChars::kRefused ||
                (ch != u'\r' && admitted(QString(ch)).isEmpty()))
                continue;
            typeKeys(&plain_, QString(ch));
        }
    }

    void manyLettersKey(const QString& text)
    {
        note("key(" + text + ")");
        QTest::sendKeyEvent(QTest::Click, box_, Qt::Key_unknown, text, Qt::NoModifier);
        const QString kept = admitted(text);
        if (kept == text) {
            QTest::sendKeyEvent(QTest::Click, &plain_, Qt::Key_unknown, text, Qt::NoModifier);
            return;
        }
        const QStringList lines = kept.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::sendKeyEvent(QTest::Click, &plain_, Qt::Key_Return, QStringLiteral("\r"),
                                    Qt::NoModifier);
            if (!lines.at(i).isEmpty())
                QTest::sendKeyEvent(QTest::Click, &plain_, Qt::Key_unknown, lines.at(i),
                                    Qt::NoModifier);
        }
    }

    void compose(const QString& text, int from, int length)
    {
        note(QStringLiteral("IM(%1,%2,%3)").arg(text).arg(from).arg(length));
        QInputMethodEvent composed;
        composed.setCommitString(text, from, length);
        QCoreApplication::sendEvent(box_, &composed);
        const QString kept = admitted(text, length);
        QInputMethodEvent plain;
        if (!kept.isEmpty() || text.isEmpty())
            plain.setCommitString(kept, from, length);
        QCoreApplication::sendEvent(&plain_, &plain);
    }

    void menu(const QString& name)
    {
        note(name);
        const QString brought = word();
        auto choose = [&](QWidget* box) {
            if constexpr (kTitle) {
                if (box == box_) {
                    editor_.chooseInMenu(name);
                    return;
                }
            }
            std::unique_ptr<QMenu> menu(static_cast<Plain*>(box)->createStandardContextMenu());
            QAction* chosen = entry(menu.get(), name);
            ASSERT_TRUE(chosen) << name.toStdString();
            chosen->trigger();
        };
        if (name == QStringLiteral("Colar")) {
            note("(" + brought + ")");
            pasteBoth(brought, choose);
            return;
        }
        choose(box_);
        choose(&plain_);
        // Qt's Redo of a selection replaced from its left end leaves one before
        // the text, which the box puts right.
        if constexpr (kTitle) {
            if (name == QStringLiteral("Refazer") &&
                (plain_.text().isEmpty() ||
                 (plain_.hasSelectedText() && plain_.selectionStart() < 0)))
                plain_.deselect();
        }
    }

    void screenReader()
    {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box_);
        QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(&plain_);
        const int count = reader->textInterface()->characterCount();
        const int at = pick(count + 1);
        const int to = at + pick(count - at + 1);
        const QString brought = word();
        note(QStringLiteral("reader(%1,%2,%3)").arg(at).arg(to).arg(brought));
        reader->editableTextInterface()->replaceText(at, to, brought);
        QString kept = LimitaChars::clean(brought, !kTitle);
        if constexpr (kTitle)
            kept = kept.left(qMax(0, TitleBox::kMaxLength - (count - (to - at))));
        if (!kept.isEmpty() || brought.isEmpty())
            plain->editableTextInterface()->replaceText(at, to, kept);
    }

    void step()
    {
        const Qt::KeyboardModifiers shift = pick(2) ? Qt::ShiftModifier : Qt::NoModifier;
        switch (pick(20)) {
        case 0:
            return key(Qt::Key_Left, shift, "Left");
        case 1:
            return key(Qt::Key_Right, shift, "Right");
        // In the description, to its ends: a visual line's ends lie where the
        // box's width wraps it.
        case 2:
            return key(Qt::Key_Home, kTitle ? shift : shift | Qt::ControlModifier, "Home");
        case 3:
            return key(Qt::Key_End, kTitle ? shift : shift | Qt::ControlModifier, "End");
        case 4:
            return key(Qt::Key_Left, shift | Qt::ControlModifier, "Ctrl+Left");
        case 5:
            return key(Qt::Key_Right, shift | Qt::ControlModifier, "Ctrl+Right");
        case 6:
            return key(Qt::Key_Backspace, Qt::NoModifier, "Backspace");
        case 7:
            return key(Qt::Key_Delete, Qt::NoModifier, "Delete");
        case 8:
            return key(Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace");
        case 9:
            return key(Qt::Key_Delete, Qt::ControlModifier, "Ctrl+Delete");
        case 10:
            return key(Qt::Key_Delete, Qt::ShiftModifier, "Shift+Delete");
        case 11: {
            const QString brought = word();
            note("Shift+Insert(" + brought + ")");
            return pasteBoth(brought, [](QWidget* box) {
                QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
            });
        }
        case 12: {
            // A paste where the platform makes it one (X11), else a key that does nothing.
            const QString brought = word();
            note("Ctrl+Shift+Insert(" + brought + ")");
            QKeyEvent probe(QEvent::KeyPress, Qt::Key_Insert,
                            Qt::ControlModifier | Qt::ShiftModifier);
            auto paste = [](QWidget* box) {
                QTest::keyClick(box, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
            };
            if (probe.matches(QKeySequence::Paste) &&
                !QGuiApplication::clipboard()->supportsSelection())
                return pasteBoth(brought, paste);
            QGuiApplication::clipboard()->setText(brought);
            paste(box_);
            return paste(&plain_);
        }
        case 13:
            return menu(kMenu[pick(int(kMenu.size()))]);
        case 14:
            // Undo and Redo, where Qt's own faults lie, come often.
            return menu(kMenu[pick(2)]);
        case 15: {
            // A replacement within the text, as an input method makes it.
            const int at = selectedOf(&plain_) > 0 ? qMin(cursorOf(&plain_), anchorOf(&plain_))
                                                   : cursorOf(&plain_);
            const int from = -pick(qMin(at, 2) + 1);
            const int rest = int(textOf(&plain_).size()) - selectedOf(&plain_) - (at + from);
            return compose(word(), from, pick(qMin(rest, 2) + 1));
        }
        case 16:
            return manyLettersKey(word() + word());
        case 17:
            return screenReader();
        default: {
            // Enter types a line break in the description only.
            QString text = word();
            text.replace(u'\t', u'~').replace(u'\n', u'\r');
            return typeBoth(text);
        }
        }
    }

    void compare()
    {
        const std::string script = script_.toStdString();
        ASSERT_EQ(textOf(box_), textOf(&plain_)) << script;
        ASSERT_EQ(cursorOf(box_), cursorOf(&plain_)) << script;
        ASSERT_EQ(anchorOf(box_), anchorOf(&plain_)) << script;
        // No edit takes a title past 45, or past the longer one it began with.
        if constexpr (kTitle) {
            ASSERT_LE(box_->text().size(), longest_) << script;
        }
        // What OK stores: all of the box's text, and the file gives it back.
        QString text;
        if constexpr (kTitle)
            text = box_->text();
        else
            text = box_->storedText();
        ASSERT_EQ(DataFile::carried(text, !kTitle), text) << script;
        Reminder stored{QStringLiteral("26.03.14.09.05.00"), Reminder::kNoDue, Reminder::kOpen,
                        QStringLiteral("t"), QString()};
        (kTitle ? stored.title : stored.description) = text;
        stored.description = Reminder::markedLineBreaks(stored.description);
        ASSERT_TRUE(stored.fitsLine()) << script;
        const RowList written = RowList::fromFile(DataFile::kFreshFile).appended(stored.toRow());
        const RowList reread = RowList::fromFile(written.file());
        ASSERT_EQ(reread.count(), 1) << script;
        ASSERT_EQ(Reminder::fromRow(reread.at(0)), stored) << script;
    }

    Box* box_;
    Editor editor_;
    std::mt19937 random_;
    qsizetype longest_ = TitleBox::kMaxLength;
    Plain plain_;
    QString script_;
};

// The scripts' seeds: QR_TYPING_SEEDS=N runs N of them, from QR_TYPING_SEED (1).
std::vector<unsigned> typingSeeds()
{
    const int count = qEnvironmentVariableIntValue("QR_TYPING_SEEDS");
    const int first = qMax(1, qEnvironmentVariableIntValue("QR_TYPING_SEED"));
    std::vector<unsigned> seeds(count > 0 ? count : 12);
    std::iota(seeds.begin(), seeds.end(), unsigned(first));
    return seeds;
}

TEST_F(Typing, theTitleBoxEditsAsAPlainLineEditByEveryRoute)
{
    for (unsigned seed : typingSeeds()) {
        if (HasFailure())
            break;
        SCOPED_TRACE(seed);
        BoxScript<TitleBox, QLineEdit> script(
            titulo, {[this] { ok(); }, [this](const QString& name) { chooseInMenu(name); }}, seed);
        for (int round = 0; round < 40 && !HasFailure(); ++round)
            script.round(round % 2 == 1, 40);
    }
}

TEST_F(Typing, theDescriptionBoxEditsAsAPlainTextEditByEveryRoute)
{
    for (unsigned seed : typingSeeds()) {
        if (HasFailure())
            break;
        SCOPED_TRACE(seed);
        BoxScript<DescriptionBox, QPlainTextEdit> script(descricao, {}, seed);
        for (int round = 0; round < 20 && !HasFailure(); ++round)
            script.round(false, 40);
    }
}
