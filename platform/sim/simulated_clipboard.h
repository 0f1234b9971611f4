// The clipboard of the simulated desktop: its formats by the program's codes,
// the registered formats by name, and its sequence number. The program's
// primitives change it and tell the viewer chain at once; another program's
// change is told at the next dispatch of messages, as a change made by
// another process is. Made to fail, a primitive that opens the clipboard says
// that another program holds it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard_primitives.h"
#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_clock.h"
#include "platform/sim/simulated_viewer_chain.h"

namespace fenlow::platform::sim {

class SimulatedClipboard final : public ClipboardPrimitives {
 public:
  SimulatedClipboard(FaultInjector& faults, CallLog& log, SimulatedClock& clock,
                     SimulatedViewerChain& chain);

  const std::map<std::int32_t, std::u16string>& Formats() const { return formats_; }
  // The registered formats beside them, other than Link and rich text.
  const std::map<std::u16string, std::string>& NamedFormats() const { return namedFormats_; }
  std::u16string TextOrEmpty() const;

  // Another program replaces the clipboard's content: formats by the
  // program's codes, and registered formats by name ("HTML Format"). The
  // update message is delivered at the next Yield, as a change from another
  // process would be.
  void OtherProgramSets(std::map<std::int32_t, std::u16string> formats,
                        std::map<std::u16string, std::string> named = {});
  void OtherProgramSetsText(std::u16string text);

  // --- The program's delayed-rendering owner (SimulatedClipboardOffer) ---------
  // Renders the delayed text for the process that reads it.
  using Renderer = std::function<std::u16string(std::uint32_t readerProcess)>;
  // Empties the clipboard and places `named` at once and a text that
  // `render` gives when it is first read; `lost` runs when anything empties
  // the clipboard while that owner has it.
  void PlaceDelayedText(std::map<std::u16string, std::string> named, Renderer render,
                        std::function<void()> lost);
  // The owner lets go: nothing more is rendered or told.
  void ForgetDelayedOwner();
  // Another program, process `reader`, reads the text (a delayed text is
  // rendered first); empty when there is none.
  std::u16string OtherProgramReadsText(std::uint32_t reader);
  [[nodiscard]] bool TextDelayed() const { return static_cast<bool>(render_); }

 private:
  void Empty() override;
  void PutText(std::int32_t format, std::u16string_view text) override;
  void ReplaceWithText(std::u16string_view text) override;
  std::u16string GetText(std::int32_t format) override;
  bool HasFormat(std::int32_t format) override;
  std::optional<std::vector<ClipboardFormatData>> ReadMemoryFormats(std::size_t byteBound) override;
  std::optional<ClipboardFormatData> ReadTextBlock() override;
  void ReplaceWithFormats(const std::vector<ClipboardFormatData>& formats) override;
  bool HasNamedFormat(std::u16string_view name) override;
  std::uint32_t SequenceNumber() override { return sequence_; }
  Clock::time_point Now() override { return clock_.Now(); }
  void PauseUntil(Clock::time_point until) override { clock_.PauseUntil(until); }

  void ClipboardChanged() { ++sequence_; }
  // The content is replaced: a delayed-rendering owner loses the clipboard.
  void OwnerLoses();

  FaultInjector& faults_;
  CallLog& log_;
  SimulatedClock& clock_;
  SimulatedViewerChain& chain_;
  std::map<std::int32_t, std::u16string> formats_;
  std::map<std::u16string, std::string> namedFormats_;
  std::uint32_t sequence_ = 1;
  Renderer render_;
  std::function<void()> lost_;
};

}  // namespace fenlow::platform::sim
