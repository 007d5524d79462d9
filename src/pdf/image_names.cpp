#include "pdf/image_names.h"

#include <optional>
#include <string>

namespace folvane::pdf {

namespace {

std::optional<long long> IntegerIn(QPDFObjectHandle dict, const char* key) {
    if (!dict.isDictionary()) return std::nullopt;
    QPDFObjectHandle value = dict.getKey(key);
    if (!value.isInteger()) return std::nullopt;
    return value.getIntValue();
}

std::string_view CcittName(QPDFObjectHandle parameters) {
    // K < 0 is pure two-dimensional coding (Group 4); K >= 0 Group 3.
    return IntegerIn(parameters, "/K").value_or(0) < 0 ? "G4 Fax" : "G3 Fax";
}

std::string_view FilterName(const std::string& filter, QPDFObjectHandle parameters) {
    if (filter == "/CCITTFaxDecode") return CcittName(parameters);
    if (filter == "/DCTDecode") return "JPEG";
    if (filter == "/LZWDecode") return "LZW";
    if (filter == "/RunLengthDecode") return "PackBits";
    if (filter == "/FlateDecode") return "Flate";
    if (filter == "/JBIG2Decode") return "JBIG2";
    if (filter == "/JPXDecode") return "JPEG 2000";
    return "Unknown";
}

// What a colour space is, as far as the names go.
enum class Family { Unknown, Gray, Rgb, Cmyk, Lab, Indexed };

Family FamilyOf(QPDFObjectHandle space) {
    std::string name;
    if (space.isName()) {
        name = space.getName();
    } else if (space.isArray() && space.getArrayNItems() >= 1 && space.getArrayItem(0).isName()) {
        name = space.getArrayItem(0).getName();
    } else {
        return Family::Unknown;
    }
    if (name == "/DeviceGray" || name == "/CalGray") return Family::Gray;
    if (name == "/DeviceRGB" || name == "/CalRGB") return Family::Rgb;
    if (name == "/DeviceCMYK") return Family::Cmyk;
    if (name == "/Lab") return Family::Lab;
    if (name == "/Indexed") return Family::Indexed;
    if (name == "/ICCBased" && space.isArray() && space.getArrayNItems() >= 2) {
        QPDFObjectHandle profile = space.getArrayItem(1);
        const auto components =
            profile.isStream() ? IntegerIn(profile.getDict(), "/N") : std::nullopt;
        if (components == 1) return Family::Gray;
        if (components == 3) return Family::Rgb;
        if (components == 4) return Family::Cmyk;
    }
    return Family::Unknown;
}

// /Decode [1 0]: a set bit is white.
bool WhiteIsZeroBit(QPDFObjectHandle dict) {
    QPDFObjectHandle decode = dict.getKey("/Decode");
    if (!decode.isArray() || decode.getArrayNItems() < 2) return false;
    QPDFObjectHandle first = decode.getArrayItem(0);
    QPDFObjectHandle second = decode.getArrayItem(1);
    return first.isNumber() && second.isNumber() && first.getNumericValue() == 1 &&
           second.getNumericValue() == 0;
}

}  // namespace

std::string_view ImageCompressionName(QPDFObjectHandle imageDict) {
    QPDFObjectHandle filter = imageDict.getKey("/Filter");
    QPDFObjectHandle parameters = imageDict.getKey("/DecodeParms");
    if (filter.isName()) return FilterName(filter.getName(), parameters);
    if (filter.isArray()) {
        const int count = filter.getArrayNItems();
        if (count == 0) return "Uncomp";
        QPDFObjectHandle last = filter.getArrayItem(count - 1);
        if (!last.isName()) return "Unknown";
        // The parameters that go with the last filter.
        QPDFObjectHandle lastParameters =
            parameters.isArray() && parameters.getArrayNItems() == count
                ? parameters.getArrayItem(count - 1)
                : QPDFObjectHandle::newNull();
        return FilterName(last.getName(), lastParameters);
    }
    if (filter.isNull()) return "Uncomp";
    return "Unknown";
}

std::string_view ImageColorName(QPDFObjectHandle imageDict) {
    const bool whiteIsZero = WhiteIsZeroBit(imageDict);
    QPDFObjectHandle mask = imageDict.getKey("/ImageMask");
    if (mask.isBool() && mask.getBoolValue())
        return whiteIsZero ? "Bilevel (WiZ)" : "Bilevel (BiZ)";
    QPDFObjectHandle space = imageDict.getKey("/ColorSpace");
    // JPEG 2000 data may carry its own colour space; it is not decoded.
    if (space.isNull()) return "Unknown";
    const auto bits = IntegerIn(imageDict, "/BitsPerComponent");
    switch (FamilyOf(space)) {
        case Family::Gray:
            if (bits == 1) return whiteIsZero ? "Bilevel (WiZ)" : "Bilevel (BiZ)";
            if (bits == 4) return "Gray (16 BiZ)";
            if (bits == 8) return "Gray (256 BiZ)";
            if (bits == 2 || bits == 16) return "Gray";
            return "Unknown";
        case Family::Rgb:
            return "RGB";
        case Family::Cmyk:
            return "CMYK";
        case Family::Lab:
            return "CIELab";
        case Family::Indexed:
            if (bits == 8) return "Palette (256 RGB)";
            if (bits == 4) return "Palette (16 RGB)";
            return "RGB Palette";
        case Family::Unknown:
            break;
    }
    return "Unknown";
}

}  // namespace folvane::pdf
