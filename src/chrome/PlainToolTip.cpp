#include "PlainToolTip.h"

QString plainToolTip(const QString& text)
{
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped()
           + QStringLiteral("</p>");
}
