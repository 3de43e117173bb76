#include "DescriptionBox.h"

#include "LimitaChars.h"
#include "TextGate.h"

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
    // First: a screen reader may ask for the box while it is being set up.
    new TextGate(this, [](const QString& text, int, int) { return admit(text); });
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

QString DescriptionBox::admit(QStringView brought)
{
    return LimitaChars::clean(brought, true);
}

// Qt's own insertion, with the text cleaned: a paste or a drop is one step for
// Undo, as Qt makes it.
void DescriptionBox::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    const QString kept = admit(source->text());
    if (kept.isEmpty())
        return;
    QMimeData cleaned;
    cleaned.setText(kept);
    QPlainTextEdit::insertFromMimeData(&cleaned);
}
