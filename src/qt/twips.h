// The window's geometry is designed in twips; the screen is drawn in pixels
// at 15 twips a pixel (96 dots per inch), the scale the design assumes.
#pragma once

#include <QRect>
#include <QSize>

namespace folvane::gui {

constexpr int Twips(int twips) { return (twips + 7) / 15; }

inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

inline QSize TwipsSize(int width, int height) { return {Twips(width), Twips(height)}; }

}  // namespace folvane::gui
