#include "DescriptionBox.h"

#include "LimitaChars.h"

#include <QMimeData>

namespace {

QString unixBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

DescriptionBox::DescriptionBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

QString DescriptionBox::storedText() const
{
    return unixBreaks(toPlainText()).replace(u'\n', QStringLiteral("\r\n"));
}

void DescriptionBox::setStoredText(const QString& text)
{
    setPlainText(unixBreaks(text));
}

bool DescriptionBox::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText();
}

void DescriptionBox::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    textCursor().insertText(LimitaChars::clean(unixBreaks(source->text()), true));
    ensureCursorVisible();
}
