#include "zip_parts.h"

#include <zlib.h>

#include <cstdint>

namespace folvane::testing {

namespace {

std::uint32_t Little(const std::string& zip, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(zip.at(at + static_cast<std::size_t>(i)));
    return value;
}

}  // namespace

// From the central directory, which names every part with its place.
std::map<std::string, std::string> ZipParts(const std::string& zip) {
    std::map<std::string, std::string> parts;
    const std::size_t end = zip.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos) return parts;
    std::size_t at = Little(zip, end + 16, 4);
    const std::size_t count = Little(zip, end + 10, 2);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t method = Little(zip, at + 10, 2);
        const std::uint32_t packed = Little(zip, at + 20, 4);
        const std::uint32_t size = Little(zip, at + 24, 4);
        const std::uint32_t nameLength = Little(zip, at + 28, 2);
        const std::uint32_t extra = Little(zip, at + 30, 2);
        const std::uint32_t comment = Little(zip, at + 32, 2);
        const std::uint32_t local = Little(zip, at + 42, 4);
        const std::string name = zip.substr(at + 46, nameLength);
        const std::size_t data =
            local + 30 + Little(zip, local + 26, 2) + Little(zip, local + 28, 2);
        std::string content(size, '\0');
        if (method == 0) {
            content = zip.substr(data, size);
        } else {
            z_stream stream{};
            inflateInit2(&stream, -MAX_WBITS);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + data));
            stream.avail_in = packed;
            stream.next_out = reinterpret_cast<Bytef*>(content.data());
            stream.avail_out = size;
            inflate(&stream, Z_FINISH);
            inflateEnd(&stream);
        }
        parts[name] = content;
        at += 46 + nameLength + extra + comment;
    }
    return parts;
}

std::string SheetsXml(const std::string& zip, int skipLast) {
    const auto parts = ZipParts(zip);
    int count = 0;
    while (parts.count("xl/worksheets/sheet" + std::to_string(count + 1) + ".xml") != 0) ++count;
    std::string sheets;
    for (int i = 1; i <= count - skipLast; ++i)
        sheets += parts.at("xl/worksheets/sheet" + std::to_string(i) + ".xml");
    return sheets;
}

}  // namespace folvane::testing
