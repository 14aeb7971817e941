// The shell's compositions into fixed buffers: installation paths from any
// program folder, the web search addresses, the information box text, folder
// joins, the command line's program name and the saved placement. Each stays
// terminated within its buffer and is a cut (or whole-or-nothing) copy of the
// text it stands for. Also the start-up placement and the opacity from any
// stored values.
#include "decor/alpha.h"
#include "shell/command_line.h"
#include "shell/install_paths.h"
#include "shell/placement.h"
#include "shell/web_addresses.h"
#include "tests/fuzz/fuzz_input.h"
#include <string>

struct StoredPlacement {
  int size, right, bottom, position, left, top;
};

static int ReadStored(const char* key, int defaultValue, void* context) {
  const StoredPlacement* s = (const StoredPlacement*)context;
  if (!strcmp(key, "Size")) return s->size;
  if (!strcmp(key, "Right")) return s->right;
  if (!strcmp(key, "Bottom")) return s->bottom;
  if (!strcmp(key, "Position")) return s->position;
  if (!strcmp(key, "Left")) return s->left;
  if (!strcmp(key, "Top")) return s->top;
  return defaultValue;
}

static unsigned Shortener(const char* longPath, char* out, unsigned outSize) {
  // Some fail, some give texts that do not fit, some shorten.
  size_t n = strlen(longPath);
  if (n % 3 == 0) return 0;
  if (n % 3 == 1) return outSize + 5;
  CopyText(out, outSize, longPath + n / 2);
  return (unsigned)strlen(out);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  size_t outSize = (size_t)in.Range(0, 1100);
  // Window rectangles anywhere within +-2^29, far beyond any screen.
  auto coord = [&in]() { return (int)in.Range(-(1 << 29), 1 << 29); };
  PixelRect window = {coord(), coord(), coord(), coord()};
  PixelRect normal = {coord(), coord(), coord(), coord()};
  int showCmd = (int)in.Range(0, 4);
  ExactText first(in.Text()), second(in.Text()), third(in.Text());
  const std::string a = first.c_str(), b = second.c_str(), c = third.c_str();

  // Installation paths: each the folder and its tail, cut to 259 characters.
  InstallPaths paths;
  BuildInstallPaths(&paths, first.c_str(), second.c_str());
  FUZZ_CHECK(std::string(paths.programFolder) == CutTo(a, kPathSize));
  FUZZ_CHECK(std::string(paths.settingsFile) == CutTo(a + "\\vintor.ini", kPathSize));
  FUZZ_CHECK(std::string(paths.manual) == CutTo(a + "\\docs\\" + b, kPathSize));
  FUZZ_CHECK(std::string(paths.defaultPicture) == CutTo(a + "\\snap\\defgame.bmp", kPathSize));
  InstallPaths shortened = paths;
  ShortenInstallPaths(&shortened, Shortener);
  for (const char* p : {shortened.programFolder, shortened.settingsFile, shortened.previewFile, shortened.manual})
    FUZZ_CHECK(memchr(p, 0, kPathSize));
  FUZZ_CHECK(strcmp(shortened.counterFolder, paths.counterFolder) == 0);

  ExactBuffer folder(outSize);
  ProgramFolderOf(first.c_str(), outSize ? folder.data() : nullptr, outSize);
  if (outSize) {
    std::string cut = CutTo(a, outSize);
    FUZZ_CHECK(folder.Terminated() && folder.str() == cut.substr(0, cut.rfind('\\')));
  }

  ExactBuffer appended(outSize);
  if (outSize) {
    CopyText(appended.data(), outSize, first.c_str());
    AppendText(appended.data(), outSize, second.c_str());
    FUZZ_CHECK(appended.Terminated() && appended.str() == CutTo(a + b, outSize));
  }

  // The ROM search keeps its end whatever the name's length.
  ExactBuffer address(outSize);
  ComposeRomSearchAddress(first.c_str(), outSize ? address.data() : nullptr, outSize);
  std::string prefix = kWebSearchPrefix, end = "&sa=Search";
  if (outSize) {
    FUZZ_CHECK(address.Terminated());
    std::string got = address.str();
    if (outSize > prefix.size() + end.size()) {
      std::string middle = CutTo(a + ".zip+rom+mame+download", kAddressSize);
      middle = CutTo(middle, outSize - prefix.size() - end.size());
      FUZZ_CHECK(got == prefix + middle + end);
    } else {
      FUZZ_CHECK(got == CutTo(prefix, outSize));
    }
  }
  ExactBuffer bios(outSize);
  ComposeBiosSearchAddress(outSize ? bios.data() : nullptr, outSize);
  if (outSize) FUZZ_CHECK(bios.Terminated());

  ExactBuffer info(outSize);
  ComposeGameInfoText(first.c_str(), second.c_str(), third.c_str(), outSize ? info.data() : nullptr, outSize);
  if (outSize) {
    std::string description = CutTo("\r\n" + a, outSize);
    while (description.size() > 2 && description.back() == ' ') description.pop_back();
    FUZZ_CHECK(info.Terminated() && info.str() == CutTo(description + "\r\n\r\n" + b + c, outSize));
  }

  ExactBuffer joined(outSize);
  int ok = JoinFolderAndName(first.c_str(), second.c_str(), outSize ? joined.data() : nullptr, outSize);
  FUZZ_CHECK(ok == (outSize && a.size() + b.size() < outSize));
  if (outSize) FUZZ_CHECK(joined.str() == (ok ? a + b : std::string()));

  std::string name = FileNameOfPath(first.c_str());
  FUZZ_CHECK(name == a.substr(a.rfind('\\') == std::string::npos ? 0 : a.rfind('\\') + 1));

  const char* rest = SkipProgramName(first.c_str());
  FUZZ_CHECK(rest >= first.c_str() && rest <= first.c_str() + first.size());
  FUZZ_CHECK(*rest != ' ' && *rest != '\t');

  StoredPlacement stored = {(int)in.U64(4), (int)in.U64(4), (int)in.U64(4),
                            (int)in.U64(4), (int)in.U64(4), (int)in.U64(4)};
  int defWidth = (int)in.Range(0, 0xFFFF), defHeight = (int)in.Range(0, 0xFFFF);
  int screenWidth = (int)in.Range(0, 0xFFFF), screenHeight = (int)in.Range(0, 0xFFFF);
  Placement start = ComputeStartPlacement(defWidth, defHeight, screenWidth, screenHeight, ReadStored, &stored);
  FUZZ_CHECK(start.width == (stored.size ? stored.right : defWidth));
  FUZZ_CHECK(start.height == (stored.size ? stored.bottom : defHeight));
  if (stored.position) FUZZ_CHECK(start.x == stored.left && start.y == stored.top);
  else FUZZ_CHECK(start.x == screenWidth / 2 - start.width / 2);

  const int level = TransparencyLevelFromSetting(stored.left);
  FUZZ_CHECK(level == (stored.left & 0xFF));
  const int alpha = AlphaFromLevel((unsigned char)level);
  FUZZ_CHECK(level >= 100 ? alpha == 255 : alpha == level * 255 / 100);

  SavedPlacement saved = PlacementToSave(window, showCmd, normal);
  for (const char* s : {saved.left, saved.top, saved.right, saved.bottom}) FUZZ_CHECK(memchr(s, 0, 16));
  FUZZ_CHECK(memchr(saved.showMaximized, 0, sizeof saved.showMaximized));
  return 0;
}
