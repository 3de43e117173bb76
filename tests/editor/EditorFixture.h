#pragma once

#include "EditorWindow.h"
#include "FakeHost.h"
#include "frm1_Escrever.h"
#include "frm2_Atualizar.h"

#include "Accessibility.h"
#include "DescriptionBox.h"
#include "PictureButton.h"
#include "QtTranslation.h"
#include "TitleBox.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// Types text key by key as a keyboard would: each character is the text of one
// key press (QTest::keyClicks only knows ASCII keys).
inline void typeKeys(QWidget* box, const QString& text)
{
    for (QChar ch : text) {
        const char16_t up = ch.toUpper().unicode();
        const auto key = up == u'\t'   ? Qt::Key_Tab
                         : up == u'\r' ? Qt::Key_Return
                         : up < 0x100  ? Qt::Key(up)
                                       : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, box, key, QString(ch), Qt::NoModifier);
    }
}

// Either editor window over a fake main window and a real store.
class EditorFixture : public ::testing::Test {
protected:
    // As the program starts: Qt's Portuguese, and the program's own accessible
    // interfaces before any box is asked for one.
    EditorFixture()
    {
        QtTranslation::install();
        Accessibility::install();
    }

    template <class Editor> void open()
    {
        delete editor;
        // Deleted on close as its owner would have it, or by the fixture at the end.
        editor = new Editor(host, host.clock);
        editor->setAttribute(Qt::WA_DeleteOnClose);
        editor->show();
        titulo = editor->findChild<TitleBox*>(QStringLiteral("txtTitulo"));
        descricao = editor->findChild<DescriptionBox*>(QStringLiteral("txtDescricao"));
        data = editor->findChild<QLabel*>(QStringLiteral("lblData"));
        ASSERT_TRUE(titulo && descricao && data);
    }

    void click(const char* name, Qt::MouseButton button = Qt::LeftButton)
    {
        auto* target = editor->findChild<QWidget*>(QLatin1String(name));
        ASSERT_TRUE(target) << name;
        QTest::mouseClick(target, button);
    }

    void ok() { click("btnOk"); }

    // Chooses an entry of the title box's context menu, as the right button opens it.
    void chooseInMenu(const QString& entry)
    {
        QContextMenuEvent press(QContextMenuEvent::Mouse, QPoint(4, 4),
                                titulo->mapToGlobal(QPoint(4, 4)));
        QCoreApplication::sendEvent(titulo, &press);
        const QList<QMenu*> menus = titulo->findChildren<QMenu*>();
        ASSERT_FALSE(menus.isEmpty());
        QMenu* menu = menus.last();
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().remove(u'&').startsWith(QString(entry).remove(u'&')))
                chosen = action;
        ASSERT_TRUE(chosen) << entry.toStdString();
        menu->close();
        chosen->trigger();
        processDeletes();
    }

    // What the title box shows: its text, or the message drawn in it while empty.
    QString shownTitle() const
    {
        return titulo->text().isEmpty() ? titulo->placeholderText() : titulo->text();
    }

    QTimer* timer() const { return editor->findChild<QTimer*>(QStringLiteral("Timer1")); }

    // The 2000 ms message end, without waiting for it.
    void fireTimer() { QMetaObject::invokeMethod(timer(), "timeout", Qt::DirectConnection); }

    ~EditorFixture() override { delete editor; }

    // Runs the deletes a closed window asked for.
    void processDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    FakeHost host;
    QPointer<EditorWindow> editor;
    TitleBox* titulo = nullptr;
    DescriptionBox* descricao = nullptr;
    QLabel* data = nullptr;
};
