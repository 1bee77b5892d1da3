// Replays a fuzz target's seed corpus without libFuzzer, so that the targets' properties
// run in every ordinary build and test run. Each argument is a file or a folder of files;
// a broken property aborts in FUZZ_CHECK, which fails the test.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int replayFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int failures = 0;
    std::size_t inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        if (!std::filesystem::is_directory(arg)) {
            failures += replayFile(arg);
            ++inputs;
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(arg)) {
            if (entry.is_regular_file()) {
                failures += replayFile(entry.path());
                ++inputs;
            }
        }
    }
    std::printf("%zu inputs replayed\n", inputs);
    return failures == 0 && inputs > 0 ? 0 : 1;
}
