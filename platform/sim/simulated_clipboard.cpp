#include "platform/sim/simulated_clipboard.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace fenlow::platform::sim {

namespace {

// The clipboard primitives that open the clipboard, and the names their
// failures give them. (Asking whether a format is present needs no opening.)
constexpr std::pair<std::string_view, std::string_view> kClipboardCalls[] = {
    {"Empty", "EmptyClipboard"},
    {"PutText", "PutText"},
    {"ReplaceWithText", "PutText"},
    {"GetText", "GetText"},
    {"ReadMemoryFormats", "ReadMemoryFormats"},
    {"ReadTextBlock", "ReadMemoryFormats"},
    {"ReplaceWithFormats", "ReplaceWithFormats"}};

// The simulated clipboard keeps every format as a text; as a memory block
// that text is its code units, byte for byte.
std::string BytesOf(std::u16string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}
std::u16string TextOfBytes(std::string_view bytes) {
  std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
  return text;
}

// The two named formats the program has codes of.
constexpr std::pair<std::int32_t, std::u16string_view> kCodedNames[] = {
    {format::kLink, u"Link"}, {format::kRichText, u"Rich Text Format"}};

// Formats whose data is a handle rather than a memory block.
bool IsHandleBased(std::int32_t code) {
  return code == format::kBitmap || code == format::kEnhancedMetafile ||
         code == format::kMetafilePicture || code == format::kPalette;
}

}  // namespace

SimulatedClipboard::SimulatedClipboard(FaultInjector& faults, CallLog& log, SimulatedClock& clock,
                                       SimulatedViewerChain& chain)
    : faults_(faults), log_(log), clock_(clock), chain_(chain) {
  for (const auto& [call, named] : kClipboardCalls) {
    faults_.DescribeFailure(std::string(call),
                            std::string(named) + ": the clipboard is held by another program.");
  }
}

std::u16string SimulatedClipboard::TextOrEmpty() const {
  auto found = formats_.find(format::kText);
  return found == formats_.end() ? std::u16string() : found->second;
}

void SimulatedClipboard::OtherProgramSets(std::map<std::int32_t, std::u16string> formats,
                                          std::map<std::u16string, std::string> named) {
  OwnerLoses();
  formats_ = std::move(formats);
  namedFormats_ = std::move(named);
  ClipboardChanged();
  chain_.NotifyOfChangeLater();
}

void SimulatedClipboard::OtherProgramSetsText(std::u16string text) {
  std::map<std::int32_t, std::u16string> formats;
  formats.emplace(format::kText, std::move(text));  // moved in, not copied from a list
  OtherProgramSets(std::move(formats));
}

void SimulatedClipboard::Empty() {
  faults_.Enter("Empty");
  log_.Record("EmptyClipboard");
  OwnerLoses();
  formats_.clear();
  namedFormats_.clear();
  ClipboardChanged();
  chain_.NotifyOfChange();
}

void SimulatedClipboard::PutText(std::int32_t format, std::u16string_view text) {
  faults_.Enter("PutText");
  std::int32_t stored = format == 0 ? format::kText : format;
  log_.Record("PutText(" + std::to_string(stored) + ")");
  formats_[stored] = std::u16string(text);
  ClipboardChanged();
  chain_.NotifyOfChange();
}

// One opening: held, it changes nothing; otherwise the viewers hear of one change.
void SimulatedClipboard::ReplaceWithText(std::u16string_view text) {
  faults_.Enter("ReplaceWithText");
  log_.Record("EmptyClipboard");
  OwnerLoses();
  log_.Record("PutText(" + std::to_string(format::kText) + ")");
  formats_.clear();  // emplaced: a map built from a list would copy the text twice
  formats_.emplace(format::kText, std::u16string(text));
  namedFormats_.clear();
  ClipboardChanged();
  chain_.NotifyOfChange();
}

std::u16string SimulatedClipboard::GetText(std::int32_t format) {
  faults_.Enter("GetText");
  auto found = formats_.find(format == 0 ? format::kText : format);
  return found == formats_.end() ? std::u16string() : found->second;
}

bool SimulatedClipboard::HasFormat(std::int32_t format) {
  faults_.Enter("HasFormat");
  if (format == format::kText) {
    return formats_.count(format::kText) != 0 || formats_.count(format::kUnicodeText) != 0;
  }
  return formats_.count(format) != 0;
}

// As the system does it: Unicode text stands for the text formats, and
// handle-based formats are left out.
std::optional<std::vector<ClipboardFormatData>> SimulatedClipboard::ReadMemoryFormats(
    std::size_t byteBound) {
  faults_.Enter("ReadMemoryFormats");
  // Sizes first: as on the system, nothing is copied when the bound is passed.
  std::vector<std::pair<std::int32_t, const std::u16string*>> memory;
  std::size_t total = 0;
  for (const auto& [code, text] : formats_) {
    if (IsHandleBased(code) || (code == format::kUnicodeText && formats_.count(format::kText))) {
      continue;
    }
    const bool isText = code == format::kText || code == format::kUnicodeText;
    total += (text.size() + (isText ? 1 : 0)) * sizeof(char16_t);
    memory.emplace_back(code, &text);
  }
  for (const auto& named : namedFormats_) total += named.second.size();
  if (total > byteBound) return std::nullopt;

  std::vector<ClipboardFormatData> kept;
  for (const auto& [code, text] : memory) {
    if (code == format::kText || code == format::kUnicodeText) {
      kept.push_back(UnicodeTextFormat(*text));
      continue;
    }
    ClipboardFormatData data{static_cast<std::uint32_t>(code), {}, BytesOf(*text)};
    for (const auto& [coded, name] : kCodedNames) {
      if (coded == code) data = {0, std::u16string(name), BytesOf(*text)};
    }
    kept.push_back(std::move(data));
  }
  for (const auto& [name, bytes] : namedFormats_) kept.push_back({0, name, bytes});
  return kept;
}

std::optional<ClipboardFormatData> SimulatedClipboard::ReadTextBlock() {
  faults_.Enter("ReadTextBlock");
  auto found = formats_.find(format::kText);
  if (found == formats_.end()) found = formats_.find(format::kUnicodeText);
  if (found == formats_.end()) return std::nullopt;
  return UnicodeTextFormat(found->second);
}

void SimulatedClipboard::ReplaceWithFormats(const std::vector<ClipboardFormatData>& formats) {
  faults_.Enter("ReplaceWithFormats");
  log_.Record("ReplaceWithFormats");
  OwnerLoses();
  formats_.clear();
  namedFormats_.clear();
  for (const ClipboardFormatData& data : formats) {
    if (data.name.empty() && data.id == static_cast<std::uint32_t>(format::kUnicodeText)) {
      formats_[format::kText] = *UnicodeTextOf({data});  // the program's plain text
      continue;
    }
    if (data.name.empty()) {
      formats_[static_cast<std::int32_t>(data.id)] = TextOfBytes(data.bytes);
      continue;
    }
    const auto coded = std::find_if(std::begin(kCodedNames), std::end(kCodedNames),
                                    [&](const auto& entry) { return entry.second == data.name; });
    if (coded != std::end(kCodedNames)) {
      formats_[coded->first] = TextOfBytes(data.bytes);
    } else {
      namedFormats_[data.name] = data.bytes;
    }
  }
  ClipboardChanged();
  chain_.NotifyOfChange();
}

bool SimulatedClipboard::HasNamedFormat(std::u16string_view name) {
  faults_.Enter("HasNamedFormat");
  for (const auto& [code, codedName] : kCodedNames) {
    if (codedName == name) return formats_.count(code) != 0;
  }
  return namedFormats_.count(std::u16string(name)) != 0;
}

void SimulatedClipboard::OwnerLoses() {
  render_ = nullptr;
  if (auto lost = std::exchange(lost_, nullptr)) lost();
}

void SimulatedClipboard::PlaceDelayedText(std::map<std::u16string, std::string> named,
                                          Renderer render, std::function<void()> lost) {
  OwnerLoses();
  formats_.clear();
  namedFormats_ = std::move(named);
  render_ = std::move(render);
  lost_ = std::move(lost);
  ClipboardChanged();
  chain_.NotifyOfChange();
}

void SimulatedClipboard::ForgetDelayedOwner() {
  render_ = nullptr;
  lost_ = nullptr;
}

// Rendered once, as the system keeps what the owner gave.
std::u16string SimulatedClipboard::OtherProgramReadsText(std::uint32_t reader) {
  log_.Record("ReadText(" + std::to_string(reader) + ")");
  if (auto render = std::exchange(render_, nullptr)) formats_[format::kText] = render(reader);
  return TextOrEmpty();
}

}  // namespace fenlow::platform::sim
