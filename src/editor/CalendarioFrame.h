#pragma once

#include "Calendario.h"
#include "MouseClickRule.h"

#include <QFrame>

#include <array>
#include <memory>

class Clock;
class LabelFocusProxy;
class QLabel;

namespace Ui {
class CalendarioFrame;
}

// frameCalendario: draws one Calendario and passes the mouse and the keys to it.
// Where the frame stands (shown or parked) is the editor's business. While it is
// shown its month buttons and the keyboard's day are Tab stops: the arrows move
// the day, Page Up and Down the month, and Space or Enter picks it.
class CalendarioFrame : public QFrame {
    Q_OBJECT
public:
    // Tops of the frame in the editor, in twips: over the boxes, or below the window.
    static constexpr int kTopShown = 570;
    static constexpr int kTopParked = 3120;

    CalendarioFrame(const Clock& clock, QWidget* parent);
    ~CalendarioFrame() override;

    Calendario& calendario() { return calendario_; }
    void mostraMesAtual();
    void park();
    // vencimento: the due date the editor holds, where the keyboard's day starts.
    void showOverBoxes(const QString& vencimento = QString());
    bool isParked() const;
    // The month buttons and the keyboard's day, in Tab order: the editor puts them
    // where the boxes the calendar covers stand.
    QList<QWidget*> tabStops() const;

signals:
    // A click on cell i, after the press colouring; empty cells included. Also
    // the keyboard's pick of its day.
    void casaClicked(int i);
    void parkedChanged(bool parked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void avisaAnoInvalido();
    void desenha();
    void desenhaCasa(int i);
    void moveTo(int topTwips);
    // The month buttons and the keyboard's day join the Tab stops while shown.
    void updateTabStops();

    const std::unique_ptr<Ui::CalendarioFrame> ui_;
    Calendario calendario_;
    // One for all the cells: the cell that got the press gets its release.
    MouseClickRule casaGesture_;
    LabelFocusProxy* diaTeclado_ = nullptr;
    std::array<QLabel*, Calendario::kCasas> Casa2{};
};
