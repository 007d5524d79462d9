#include "run/result_file.h"

#include "platform/file_system.h"

namespace folvane {

namespace {

bool HasTiffName(const std::string& path) {
    std::string tail = path.substr(path.size() < 5 ? 0 : path.size() - 5);
    for (char& c : tail)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const auto endsWith = [&](std::string_view end) {
        return tail.size() >= end.size() &&
               tail.compare(tail.size() - end.size(), end.size(), end) == 0;
    };
    return endsWith(".tif") || endsWith(".tiff");
}

}  // namespace

OpenedOutput OpenResultFile(const std::string& path, const InputFiles& inputs, bool withPdf) {
    if (HasTiffName(path))
        return RefusedOutput(path, "名前が .tif/.tiff で終わるファイルには書き出せません");
    if (withPdf && HasPdfExtensionIgnoringCase(path))
        return RefusedOutput(path, "名前が .pdf で終わるファイルには書き出せません");
    // Only an existing output can be an input. The inputs' identities come
    // from the look that put them on the list; only an input that look
    // could not identify is asked about again.
    if (const auto output = LookAtPath(path).identity) {
        for (std::size_t i = 0; i < inputs.Count(); ++i) {
            const std::string input = inputs.At(i);
            std::optional<FileIdentity> identity = inputs.IdentityAt(i);
            if (!identity) identity = IdentifyFile(input);
            if (identity == output)
                return RefusedOutput(path,
                                     "入力ファイル " + input + " と同じファイルには書き出せません");
        }
    }
    return CreateReplacingFile(path);
}

OpenedOutput OpenResultFile(const std::string& path, std::span<const std::string> inputs,
                            bool withPdf) {
    return OpenResultFile(path, SpanInputFiles(inputs), withPdf);
}

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
