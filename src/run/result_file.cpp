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
    // Also the name the system will use: on Windows "-o A.TIF." writes a.tif.
    const std::string named = PathAsTheSystemNamesIt(path);
    if (HasTiffName(path) || HasTiffName(named))
        return RefusedOutput(path, "名前が .tif/.tiff で終わるファイルには書き出せません");
    if (withPdf && (HasPdfExtensionIgnoringCase(path) || HasPdfExtensionIgnoringCase(named)))
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
    if (AppendEncoded(buffer_, text, encoding_) > 0) NoteChangedNames(text);
    buffer_ += "\r\n";
    return stream_.Write(buffer_);
}

void EncodedLineWriter::NoteChangedNames(std::string_view text) {
    std::string scratch;
    while (!text.empty()) {
        const auto end = text.find_first_of("\t\r\n");
        const std::string_view name = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        scratch.clear();
        if (AppendEncoded(scratch, name, encoding_) > 0) changedNames_.emplace(name);
    }
}

std::string ChangedNamesNote(std::size_t changedNames) {
    if (changedNames == 0) return {};
    return "Shift-JIS で表せない文字を含む名前が " + std::to_string(changedNames) +
           " 件あり、その文字を「?」にして書き出しました。元の名前のまま残すには、Excel "
           "ブック（.xlsx）か UTF-8 で書き出してください（folvane-cli では --format xlsx か "
           "--encoding utf-8）。";
}

bool WriteDisplayedResults(std::span<const std::string> resultListItems,
                           std::string_view resultText, LineWriter& out) {
    for (std::size_t i = 0; i + 1 < resultListItems.size(); ++i)
        if (!out.WriteLine(resultListItems[i])) return false;
    return out.WriteLine(resultText);
}

}  // namespace folvane
