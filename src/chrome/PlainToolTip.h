#pragma once

#include <QString>

// Qt reads a tooltip as rich text whenever it looks like markup, so text that
// came from the user or the disk (titles, paths) goes through here: escaped, and
// kept on one line with its runs of spaces.
QString plainToolTip(const QString& text);
