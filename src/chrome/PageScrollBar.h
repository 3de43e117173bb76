#pragma once

class QAbstractScrollArea;

// Tints a text box's scroll bar in the page's pale blue, so it reads as part of
// the notepad instead of a grey system control.
void tintScrollBar(QAbstractScrollArea* box);
