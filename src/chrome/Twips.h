#pragma once

#include <QRect>
#include <QtMath>

// The layout is measured in twips: 15 to a pixel at 96 dots per inch.
namespace Twips {

constexpr int kPerPixel = 15;

inline int px(int twips)
{
    return qRound(double(twips) / kPerPixel);
}

inline QRect rect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

} // namespace Twips
