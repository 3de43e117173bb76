#pragma once

#include "PageWindow.h"

class QPlainTextEdit;

// Usage hints in a read-only text box.
class frm4_Ajuda : public PageWindow {
    Q_OBJECT
public:
    explicit frm4_Ajuda(QWidget* parent = nullptr);

    // Nine lines joined by CR LF, none after the last.
    static QString helpText();

private:
    QPlainTextEdit* txtAjuda = nullptr;
};
