#include "inspect/field_names.h"

namespace folvane {

std::string_view CompressionNameFor(std::uint64_t compression) {
    switch (compression) {
        case 1:
            return "Uncomp";
        case 2:
            return "CCITT 1D";
        case 3:
            return "G3 Fax";
        case 4:
            return "G4 Fax";
        case 5:
            return "LZW";
        case 6:
            return "JPEG";
        case 32773:
            return "PackBits";
        default:
            return "Unknown";
    }
}

std::string_view ColorNameFor(std::uint64_t photometric,
                              std::optional<std::uint64_t> bitsPerSample) {
    const std::uint64_t bits = bitsPerSample.value_or(0);
    switch (photometric) {
        case 0:
            return bits == 4 ? "Gray (16 WiZ)" : bits == 8 ? "Gray (256 WiZ)" : "Bilevel (WiZ)";
        case 1:
            return bits == 4 ? "Gray (16 BiZ)" : bits == 8 ? "Gray (256 BiZ)" : "Bilevel (BiZ)";
        case 2:
            return "RGB";
        case 3:
            return bits == 4 ? "Palette (16 RGB)" : bits == 8 ? "Palette (256 RGB)" : "RGB Palette";
        case 4:
            return "Transparency mask";
        case 5:
            return "CMYK";
        case 6:
            return "YCbCr";
        case 8:
            return "CIELab";
        default:
            return "Unknown";
    }
}

}  // namespace folvane
