#pragma once

#include "PageColours.h"
#include "PageWindow.h"
#include "Reminder.h"

#include <memory>

class MainHost;

namespace Ui {
class frm3_verLembrete;
}

// The viewer: one reminder, read-only, beside the main window. It never takes
// the keyboard from the main list.
class frm3_verLembrete : public PageWindow {
    Q_OBJECT
public:
    static inline const QColor kDone = PageColours::kInk;
    static inline const QColor kOpen{0xC6, 0x05, 0x00};

    explicit frm3_verLembrete(MainHost& host, QWidget* parent = nullptr);
    ~frm3_verLembrete() override;

    // Fills, places beside the main window and shows, all without activating.
    void showReminder(const Reminder& reminder);

    // Fills only: neither places, shows nor raises the window.
    void fill(const Reminder& reminder);
    // The reminder shown, for finding it again after the list changed elsewhere.
    const Reminder& reminder() const { return reminder_; }

    bool restoresWithMain() const override;

    // "yy.mm.dd.hh.mm.ss" as dd/mm/yy.
    static QString postedDate(const QString& posted);

private:
    MainHost& host_;
    const std::unique_ptr<Ui::frm3_verLembrete> ui_;
    Reminder reminder_;
};
