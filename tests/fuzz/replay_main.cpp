// The entry of a fuzz target built without libFuzzer: every input file named
// on the command line, or lying in a folder named there, is run once through
// the target. Options (arguments starting with "-") are libFuzzer's and are
// ignored. A failing input ends the run the way the target fails: an abort
// or a sanitizer report.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

int replay(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    int failed = 0;
    int ran = 0;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            continue;
        const std::filesystem::path argument(argv[i]);
        if (!std::filesystem::is_directory(argument)) {
            failed += replay(argument);
            ++ran;
            continue;
        }
        for (const auto &entry : std::filesystem::directory_iterator(argument)) {
            if (entry.is_regular_file()) {
                failed += replay(entry.path());
                ++ran;
            }
        }
    }
    std::printf("replayed %d inputs\n", ran);
    return failed == 0 && ran > 0 ? 0 : 1;
}
