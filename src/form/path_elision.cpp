#include "form/path_elision.h"

#include <vector>

namespace folvane::form {

namespace {

// Where each character of a UTF-8 text starts, and its end.
std::vector<std::size_t> CharacterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

// The largest n in [0, most] for which fits(n), given that fits is true up
// to some n and false beyond; 0 also when nothing fits.
template <typename Fits>
std::size_t MostThatFits(std::size_t most, Fits fits) {
    std::size_t low = 0;
    std::size_t high = most;
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

}  // namespace

std::string ElidePath(std::string_view path, double room, const TextWidth& width) {
    if (width(path) <= room) return std::string(path);

    const std::size_t separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos && separator > 0) {
        const std::string_view folder = path.substr(0, separator);
        const std::string_view name = path.substr(separator);  // with its separator
        const std::vector<std::size_t> starts = CharacterStarts(folder);
        const std::size_t characters = starts.size() - 1;
        // Keeping `kept` characters of the folder: the first half of them
        // from its start, the rest from its end.
        auto shortened = [&](std::size_t kept) {
            const std::size_t head = (kept + 1) / 2;
            const std::size_t tail = kept - head;
            std::string text(folder.substr(0, starts[head]));
            text += kEllipsis;
            text += folder.substr(starts[characters - tail]);
            text += name;
            return text;
        };
        const std::string least = shortened(0);
        if (width(least) <= room) {
            const std::size_t kept = MostThatFits(
                characters, [&](std::size_t n) { return width(shortened(n)) <= room; });
            return shortened(kept);
        }
    }

    // Not even the file name fits: its end does, after "…".
    const std::vector<std::size_t> starts = CharacterStarts(path);
    const std::size_t characters = starts.size() - 1;
    auto ending = [&](std::size_t kept) {
        return std::string(kEllipsis) + std::string(path.substr(starts[characters - kept]));
    };
    return ending(
        MostThatFits(characters, [&](std::size_t n) { return width(ending(n)) <= room; }));
}

}  // namespace folvane::form
