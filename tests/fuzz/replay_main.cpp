// Runs a fuzz target without libFuzzer: every file of the folders named on the
// command line goes once through LLVMFuzzerTestOneInput, so the inputs that
// once broke something are checked on every native test run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (!fs::is_directory(argv[i], ec)) {
      printf("replay: no folder %s\n", argv[i]);
      continue;
    }
    for (const auto& e : fs::directory_iterator(argv[i], ec))
      if (e.is_regular_file()) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& f : files) {
    std::ifstream in(f, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A heap block of the input's own size, as libFuzzer hands it over.
    std::vector<uint8_t> block(bytes.begin(), bytes.end());
    fprintf(stderr, "replay: %s\n", f.string().c_str());
    LLVMFuzzerTestOneInput(block.empty() ? nullptr : block.data(), block.size());
  }
  printf("replay: %zu inputs, 0 failed\n", files.size());
  return 0;
}
