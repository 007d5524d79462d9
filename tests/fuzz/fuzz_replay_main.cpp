// Runs the fuzz target over saved inputs with any compiler, so the crashes
// the fuzzer once found stay fixed in every ordinary test run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

bool ReadAll(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: fuzz_replay DIR|FILE...\n", stderr);
        return 2;
    }
    std::size_t replayed = 0;
    std::vector<std::uint8_t> bytes;
    for (int i = 1; i < argc; ++i) {
        std::vector<fs::path> inputs;
        std::error_code ec;
        if (fs::is_directory(argv[i], ec)) {
            for (const auto& entry : fs::directory_iterator(argv[i], ec))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
        } else {
            inputs.emplace_back(argv[i]);
        }
        if (ec) {
            std::fprintf(stderr, "fuzz_replay: cannot list %s: %s\n", argv[i],
                         ec.message().c_str());
            return 1;
        }
        for (const auto& input : inputs) {
            if (!ReadAll(input, bytes)) {
                std::fprintf(stderr, "fuzz_replay: cannot read %s\n", input.string().c_str());
                return 1;
            }
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("fuzz_replay: %zu inputs replayed\n", replayed);
    return replayed == 0 ? 1 : 0;
}
