#pragma once

#include <cstdint>

// A rectangle in image pixels, as the area coordinate text converts to.
struct TAreaRect
{
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    // A text whose x2 is below x1 yields a negative width; the view and the
    // reader treat such a rectangle as empty.
    bool isEmpty() const { return Width <= 0 || Height <= 0; }
    friend bool operator==(const TAreaRect &, const TAreaRect &) = default;
};
