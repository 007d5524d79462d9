// A page's displayed size: its box, user unit and rotation, as viewers
// take them, with the fall-backs they use for missing or odd values.
#pragma once

#include "pdf/qpdf.h"

namespace folvane::pdf {

struct PageGeometry {
    double widthPoints = 612.0;  // the clipped box, before the user unit
    double heightPoints = 792.0;
    double userUnit = 1.0;
    int rotate = 0;  // 0, 90, 180 or 270
};

// `mediaBox`, `cropBox` and `rotate` as found on the page or inherited
// from the tree above it (null when nowhere); /UserUnit only counts on the
// page itself.
PageGeometry ReadPageGeometry(QPDFObjectHandle page, QPDFObjectHandle mediaBox,
                              QPDFObjectHandle cropBox, QPDFObjectHandle rotate);

}  // namespace folvane::pdf
