// The invoice totals: pages and A4 units by resolution, paper size and
// colour class, with the totals per resolution, per paper size and in all
// as values, so that they match the text report's counts exactly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "inspect/page_info.h"
#include "output/page_facts.h"

namespace folvane {

struct PagesAndUnits {
    std::int64_t pages = 0;
    std::int64_t a4Units = 0;
};

class BillingSummary {
  public:
    void AddPage(const PageInfo& page, const PageFacts& facts);

    // Headings, then for each resolution (ascending; unknown last) a row per
    // paper size that has pages and a subtotal, then a row per paper size
    // over all resolutions, then the grand total.
    static std::vector<std::string> Headings();
    static bool IsNumberColumn(std::size_t column);
    std::vector<std::vector<std::string>> Rows() const;

  private:
    // The horizontal resolution the size summary sorts pages by, in its unit.
    struct Resolution {
        bool known = false;
        double value = 0;
        std::string unit;
        bool operator<(const Resolution& other) const;
    };
    using Cells = std::array<std::array<PagesAndUnits, kColourClassCount>, kPaperSlotCount>;
    std::map<Resolution, Cells> byResolution_;
};

}  // namespace folvane
