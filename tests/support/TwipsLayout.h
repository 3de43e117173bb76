#pragma once

#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <initializer_list>

// A window's controls where its design puts them, in twips, 15 to a pixel at
// 96 dots per inch, read to the nearest pixel.
namespace TwipsLayout {

inline int px(int twips)
{
    return (twips * 2 + 15) / 30;
}

inline QRect fromTwips(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

// A control of a layout table.
struct Placed {
    const char* name;
    int left, top, width, height;
    const char* text; // nullptr: not a label, or set by the code
};

// Each control of the table found by name, in place, a label with its text;
// then whatever more checks of it ask, given the control and its entry.
template <typename Table, typename More>
void expectLayout(QWidget* window, const Table& controls, More more)
{
    for (const auto& c : controls) {
        const Placed& placed = c;
        SCOPED_TRACE(placed.name);
        auto* w = window->findChild<QWidget*>(QLatin1String(placed.name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), fromTwips(placed.left, placed.top, placed.width, placed.height));
        if (placed.text) {
            auto* label = qobject_cast<QLabel*>(w);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), QString::fromUtf8(placed.text));
        }
        more(w, c);
    }
}

inline void expectLayout(QWidget* window, std::initializer_list<Placed> controls)
{
    expectLayout(window, controls, [](QWidget*, const Placed&) {});
}

} // namespace TwipsLayout
