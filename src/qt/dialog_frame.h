// The frame of every secondary window: a fixed dialog border with a title
// and at most a close button, never minimise or maximise.
#pragma once

#include <Qt>

namespace folvane::gui {

// With CustomizeWindowHint these are all the frame asks the window manager
// for; without it Qt adds defaults of its own (a full-screen button among
// them). Fixed sizes are set by each window.
constexpr Qt::WindowFlags FixedDialogFlags(bool closeButton) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                            Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton) flags |= Qt::WindowCloseButtonHint;
    return flags;
}

}  // namespace folvane::gui
