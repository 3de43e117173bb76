#pragma once

#include <array>
#include <cstdint>
#include <span>

// A corner of a window outline in design pixels (15 twips), from the window's
// top-left corner. The last vertex joins the first.
struct OutlineVertex {
    std::int16_t x;
    std::int16_t y;
};

using Outline = std::span<const OutlineVertex>;

// The main window's page, 249 x 345.
extern const std::array<OutlineVertex, 100> MainOutline;
// The page of the five secondary windows, 228 x 204.
extern const std::array<OutlineVertex, 120> PageOutline;
