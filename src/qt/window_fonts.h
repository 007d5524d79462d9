// Fonts of the windows. The design names Windows fonts; where they are not
// installed, the IPA fonts (Debian's fonts-ipafont-gothic) stand in, so the
// Japanese captions never fall back to a font without the glyphs.
#pragma once

#include <QFont>

namespace folvane::gui {

// The windows' own font: proportional Japanese Gothic, 9 points.
QFont WindowFont();

// The result list's font: monospaced Japanese Gothic, 9 points.
QFont ResultListFont();

}  // namespace folvane::gui
