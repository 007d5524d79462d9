#include "run/result_file.h"

namespace folvane {

bool EncodedLineWriter::WriteLine(std::string_view text) {
    buffer_.clear();
    AppendEncoded(buffer_, text, encoding_);
    buffer_ += "\r\n";
    return stream_.Write(buffer_);
}

bool WriteDisplayedResults(std::span<const std::string> resultListItems,
                           std::string_view resultText, LineWriter& out) {
    for (std::size_t i = 0; i + 1 < resultListItems.size(); ++i)
        if (!out.WriteLine(resultListItems[i])) return false;
    return out.WriteLine(resultText);
}

}  // namespace folvane
