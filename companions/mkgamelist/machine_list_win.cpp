// XmlLite over a filtering stream of ours: the stream takes the DOCTYPE out
// (XmlLite refuses it by default, and Wine's cannot parse it), the reader walks
// the elements, and the facts of each machine go to the handler.
#include "companions/mkgamelist/machine_list_win.h"
#include "companions/mkgamelist/doctype_filter.h"
#include <xmllite.h>
#include <cwchar>

static_assert(sizeof(WCHAR) == sizeof(char16_t), "XmlLite's text is UTF-16");

namespace {

const char16_t* Units(const WCHAR* s) { return reinterpret_cast<const char16_t*>(s); }

// A sequential stream that pulls from a ByteSource through the DOCTYPE filter.
class FilteredStream final : public ISequentialStream {
 public:
  explicit FilteredStream(ByteSource* source) : source_(source) {}
  ByteSource::Result failure() const { return failure_; }
  bool ended() const { return ended_ && pos_ == end_; }
  // True when the reader stands on the input's last line after its end.
  bool AtLastLine(UINT line) const { return ended_ && line > lineEnds_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_ISequentialStream) {
      *out = static_cast<ISequentialStream*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return (ULONG)n;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* written) override {
    if (written) *written = 0;
    return STG_E_ACCESSDENIED;
  }
  HRESULT STDMETHODCALLTYPE Read(void* into, ULONG size, ULONG* read) override {
    ULONG done = 0;
    // Whatever is there goes out at once: a pipe may have nothing more yet.
    while (done == 0 && size > 0) {
      if (pos_ == end_) {
        if (ended_) break;
        if (!Refill()) {
          if (read) *read = 0;
          return E_FAIL;
        }
        continue;
      }
      size_t n = end_ - pos_;
      if (n > size) n = size;
      memcpy(into, out_ + pos_, n);
      pos_ += n;
      done = (ULONG)n;
    }
    if (read) *read = done;
    return S_OK;
  }

 private:
  bool Refill() {
    size_t got = 0;
    ByteSource::Result r = source_->Read(in_, sizeof in_, &got);
    pos_ = 0;
    if (r == ByteSource::kData) {
      end_ = filter_.Feed(in_, got, out_);
      for (size_t i = 0; i < end_; ++i) lineEnds_ += out_[i] == '\n';
    } else if (r == ByteSource::kEnd) {
      end_ = filter_.Finish(out_);
      ended_ = true;
    } else {
      end_ = 0;
      failure_ = r;
      return false;
    }
    return true;
  }

  LONG refs_ = 1;
  ByteSource* source_;
  DoctypeFilter filter_;
  char in_[64 * 1024];
  char out_[sizeof in_ + DoctypeFilter::kMaxHeld];
  size_t pos_ = 0, end_ = 0;
  UINT lineEnds_ = 0;
  bool ended_ = false;
  ByteSource::Result failure_ = ByteSource::kData;
};

typedef HRESULT(WINAPI* CreateXmlReaderFn)(REFIID, void**, IMalloc*);

IXmlReader* NewReader() {
  HMODULE lib = LoadLibraryA("xmllite.dll");
  if (!lib) return nullptr;
  CreateXmlReaderFn create = (CreateXmlReaderFn)(void*)GetProcAddress(lib, "CreateXmlReader");
  IXmlReader* reader = nullptr;
  if (!create || FAILED(create(__uuidof(IXmlReader), (void**)&reader, nullptr))) return nullptr;
  // Only the DOCTYPE would need more; the filter has taken it out.
  reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
  return reader;
}

bool Is(const WCHAR* a, const WCHAR* b) { return wcscmp(a, b) == 0; }

bool IsValue(const WCHAR* value, UINT count, const WCHAR* want) {
  return wcslen(want) == count && wmemcmp(value, want, count) == 0;
}

// Calls take(name, value, length) for every attribute of the current element.
template <class Take>
void EachAttribute(IXmlReader* reader, Take take) {
  for (HRESULT hr = reader->MoveToFirstAttribute(); hr == S_OK; hr = reader->MoveToNextAttribute()) {
    const WCHAR* name = nullptr;
    const WCHAR* value = nullptr;
    UINT length = 0;
    if (reader->GetLocalName(&name, nullptr) != S_OK || reader->GetValue(&value, &length) != S_OK) continue;
    take(name, value, length);
  }
  reader->MoveToElement();
}

void TakeMachineAttributes(IXmlReader* reader, MachineFacts* m) {
  EachAttribute(reader, [m](const WCHAR* name, const WCHAR* value, UINT length) {
    if (Is(name, L"name")) m->SetShortName(Units(value), length);
    else if (Is(name, L"isbios")) m->isBios = IsValue(value, length, L"yes");
    else if (Is(name, L"isdevice")) m->isDevice = IsValue(value, length, L"yes");
    else if (Is(name, L"runnable")) m->notRunnable = IsValue(value, length, L"no");
    else if (Is(name, L"sampleof")) m->needsSamples = m->needsSamples || length > 0;
  });
}

void TakeDriverAttributes(IXmlReader* reader, MachineFacts* m) {
  EachAttribute(reader, [m](const WCHAR* name, const WCHAR* value, UINT length) {
    if (Is(name, L"status")) m->statusPreliminary = IsValue(value, length, L"preliminary");
    else if (Is(name, L"emulation")) {
      m->haveEmulation = true;
      m->emulationPreliminary = IsValue(value, length, L"preliminary");
    }
    else if (Is(name, L"cocktail")) m->cocktailPreliminary = IsValue(value, length, L"preliminary");
    // Older lists tell colours and sound here rather than in <feature> elements.
    else if (Is(name, L"color")) m->palette = Worse(m->palette, EmulationOfFeature(Units(value), length));
    else if (Is(name, L"sound")) m->sound = Worse(m->sound, EmulationOfFeature(Units(value), length));
  });
}

void TakeFeatureAttributes(IXmlReader* reader, MachineFacts* m) {
  Emulation level = kEmulationGood;
  Emulation* part = nullptr;
  EachAttribute(reader, [&](const WCHAR* name, const WCHAR* value, UINT length) {
    // "status" is the machine's own, "overall" includes its devices; the worse counts.
    if (Is(name, L"status") || Is(name, L"overall")) level = Worse(level, EmulationOfFeature(Units(value), length));
    else if (Is(name, L"type")) {
      if (IsValue(value, length, L"palette")) part = &m->palette;
      else if (IsValue(value, length, L"sound")) part = &m->sound;
    }
  });
  if (part) *part = Worse(*part, level);
}

// The walk over the elements; depth counts the open elements.
struct Walk {
  IXmlReader* reader = nullptr;
  MachineHandler* handler = nullptr;
  MachineFacts machine;
  UINT depth = 0;
  bool inMachine = false, inDescription = false, rootClosed = false, stopped = false;
  long machines = 0;

  void OnElement() {
    const WCHAR* name = nullptr;
    if (reader->GetLocalName(&name, nullptr) != S_OK) name = L"";
    bool empty = reader->IsEmptyElement() != FALSE;
    if (depth == 0) {
      EachAttribute(reader, [this](const WCHAR* attr, const WCHAR* value, UINT length) {
        if (Is(attr, L"build")) handler->OnBuild(Units(value), length);
      });
      if (empty) rootClosed = true;
    } else if (depth == 1 && (Is(name, L"machine") || Is(name, L"game"))) {
      machine.Clear();
      TakeMachineAttributes(reader, &machine);
      inMachine = true;
      if (empty) EndMachine();
    } else if (depth == 2 && inMachine) {
      if (Is(name, L"description") && !machine.haveDescription) {
        machine.haveDescription = true;
        inDescription = !empty;
      } else if (Is(name, L"driver")) {
        TakeDriverAttributes(reader, &machine);
      } else if (Is(name, L"feature")) {
        TakeFeatureAttributes(reader, &machine);
      } else if (Is(name, L"sample")) {
        machine.needsSamples = true;
      }
    }
    if (!empty) ++depth;
  }

  void OnText() {
    if (!inDescription) return;
    const WCHAR* value = nullptr;
    UINT length = 0;
    if (reader->GetValue(&value, &length) == S_OK) machine.description.Append(Units(value), length);
  }

  void OnEnd() {
    if (depth > 0) --depth;
    if (depth == 2) inDescription = false;
    else if (depth == 1 && inMachine) EndMachine();
    else if (depth == 0) rootClosed = true;
  }

  void EndMachine() {
    inMachine = false;
    inDescription = false;
    ++machines;
    if (!handler->OnMachine(machine)) stopped = true;
  }
};

// Past the end of a cut input, Wine's reader was seen to hand out empty white
// space forever; a reader that stops moving has nothing more.
class StillWatch {
 public:
  bool Stuck(IXmlReader* reader, const FilteredStream* stream) {
    if (!stream->ended()) return false;
    UINT line = 0, column = 0;
    reader->GetLineNumber(&line);
    reader->GetLinePosition(&column);
    still_ = line == line_ && column == column_ ? still_ + 1 : 0;
    line_ = line;
    column_ = column;
    return still_ > 100;
  }

 private:
  UINT line_ = 0, column_ = 0, still_ = 0;
};

// After the root element only white space, comments and processing
// instructions may follow; anything else (a second root element, text) makes
// the input broken. S_OK at a clean end, else the reader's error or
// WC_E_ROOTELEMENT.
HRESULT ReadAfterRoot(IXmlReader* reader, const FilteredStream* stream) {
  StillWatch watch;
  XmlNodeType type = XmlNodeType_None;
  HRESULT hr;
  while ((hr = reader->Read(&type)) == S_OK) {
    if (watch.Stuck(reader, stream)) return (HRESULT)MX_E_INPUTEND;
    if (type != XmlNodeType_Whitespace && type != XmlNodeType_Comment && type != XmlNodeType_ProcessingInstruction)
      return (HRESULT)WC_E_ROOTELEMENT;
  }
  return hr == S_FALSE ? S_OK : hr;
}

}  // namespace

ListReport ReadMachineList(ByteSource* source, MachineHandler* handler) {
  ListReport report;
  IXmlReader* reader = NewReader();
  if (!reader) {
    report.outcome = kListNoReader;
    return report;
  }
  FilteredStream* stream = new FilteredStream(source);
  HRESULT hr = reader->SetInput(stream);
  Walk walk;
  walk.reader = reader;
  walk.handler = handler;
  XmlNodeType type = XmlNodeType_None;
  StillWatch watch;
  bool stuck = false;
  while (SUCCEEDED(hr) && !walk.stopped && !walk.rootClosed && (hr = reader->Read(&type)) == S_OK) {
    if (watch.Stuck(reader, stream)) {
      stuck = true;
      break;
    }
    switch (type) {
      case XmlNodeType_Element: walk.OnElement(); break;
      case XmlNodeType_Text:
      case XmlNodeType_CDATA:
      case XmlNodeType_Whitespace: walk.OnText(); break;
      case XmlNodeType_EndElement: walk.OnEnd(); break;
      default: break;
    }
  }
  if (walk.rootClosed && !walk.stopped && stream->failure() == ByteSource::kData) hr = ReadAfterRoot(reader, stream);
  reader->GetLineNumber(&report.line);
  reader->GetLinePosition(&report.column);
  report.machines = walk.machines;
  if (stream->failure() == ByteSource::kSilent) report.outcome = kListSilent;
  else if (stream->failure() == ByteSource::kFailed) report.outcome = kListSourceFailed;
  else if (walk.stopped) report.outcome = kListStopped;
  else if (walk.rootClosed) report.outcome = SUCCEEDED(hr) ? kListRead : kListMalformed;
  // The reader says the input ended early, or just that it ended, or it
  // stumbled on the last line of what there was: a cut-off input.
  else if (stuck || hr == S_FALSE || hr == (HRESULT)MX_E_INPUTEND || stream->AtLastLine(report.line)) {
    report.outcome = kListTruncated;
  }
  else report.outcome = kListMalformed;
  if (report.outcome == kListMalformed) report.error = hr;
  reader->SetInput(nullptr);
  reader->Release();
  stream->Release();
  return report;
}
