// The frame of every secondary window: a fixed dialog border with a title
// and at most a close button, never minimise or maximise.
#pragma once

#include <Qt>

namespace folvane::gui {

// CustomizeWindowHint makes Qt hand these flags to the window manager as
// they are; without it Qt adds a system menu (and a full-screen button)
// of its own.
constexpr Qt::WindowFlags FixedDialogFlags(bool closeButton) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                            Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton) flags |= Qt::WindowCloseButtonHint;
    return flags;
}

}  // namespace folvane::gui
