#include "paper/classify_paper_size.h"

#include <string>

namespace folvane {

Paper ClassifyPaperSize(std::string_view width, std::string_view height,
                        std::optional<double> xResolution, const TallyResolutions& tally,
                        TallyTable& sizeTally) {
    return ClassifyPaperSize(width, height, ClassifyResolution(tally, xResolution), sizeTally);
}

Paper ClassifyPaperSize(std::string_view width, std::string_view height, ResolutionClass cls,
                        TallyTable& sizeTally) {
    std::string key;
    key.reserve(width.size() + 1 + height.size());
    key.append(width).append("x").append(height);
    const Paper paper = LookUpPaper(key);
    CountInTally(sizeTally, paper, cls);
    return paper;
}

}  // namespace folvane
