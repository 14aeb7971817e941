// Snapshot candidates, converter arguments and the backup path: each is the
// whole joined text when it fits its buffer and an empty text when it does not;
// never cut, never past the buffer or past any part.
#include "preview/snapshot_paths.h"
#include "tests/fuzz/fuzz_input.h"

typedef bool (*Builder)(const char*, const char*, char*, size_t);

static void CheckJoin(Builder build, const char* a, const char* b, const std::string& want, size_t outSize) {
  ExactBuffer out(outSize);
  bool ok = build(a, b, outSize ? out.data() : nullptr, outSize);
  FUZZ_CHECK(ok == (want.size() < outSize));
  if (outSize) {
    FUZZ_CHECK(out.Terminated());
    FUZZ_CHECK(out.str() == (ok ? want : std::string()));
  }
}

static bool Backup(const char* a, const char*, char* out, size_t outSize) { return BuildBackupPath(a, out, outSize); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  size_t outSize = (size_t)in.Range(0, 600);
  int dw = (int)in.Range(-(1 << 28), 1 << 28), dh = (int)in.Range(-(1 << 28), 1 << 28);
  ExactText folder(in.Text()), game(in.Text());
  std::string f = folder.c_str(), g = game.c_str();

  CheckJoin(BuildSnapshotCandidateA, folder.c_str(), game.c_str(), f + "//snap//" + g + ".png", outSize);
  CheckJoin(BuildSnapshotCandidateB, folder.c_str(), game.c_str(), f + "//snap//" + g + "//0000.png", outSize);
  CheckJoin(BuildConverterArguments, folder.c_str(), game.c_str(), "-Q -O " + f + " " + g, outSize);
  CheckJoin(BuildConverterArguments, nullptr, game.c_str(), "-Q -O  " + g, outSize);
  CheckJoin(Backup, folder.c_str(), nullptr, f + ".bak", outSize);

  // The converter's arguments of two real paths always fit its buffer.
  char args[kConverterArgsSize];
  std::string p260(259, 'p');
  FUZZ_CHECK(BuildConverterArguments(p260.c_str(), p260.c_str(), args, sizeof args));

  int width = 0, height = 0;
  PreviewPictureSize(dw, dh, &width, &height);
  FUZZ_CHECK(width == dw / 2 + 202 && height == dh + 212);
  return 0;
}
