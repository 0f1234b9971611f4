// Huge clipboard texts on the simulated desktop: another program copies a
// 5, 25 or 50 MB text and the start button runs each bulk edit through
// ClipboardMonitor::OnClipboardChange and the dispatcher, timed beside the
// engine alone on the same text; the save step stores
// a text of that size; a plain change only refreshes Text1. With no quadratic
// step the 50 MB times are about twice the 25 MB ones. (The 5 MB texts are
// cheaper per byte: the allocator reuses their buffers, while every buffer of
// 25 MB and more is fresh memory from the system.)

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "bench_parameters.h"
#include "clipboard/clipboard_monitor.h"
#include "edits/dispatcher.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "platform/sim/simulated_desktop.h"
#include "sample_text.h"

namespace {

using fenlow::ClipboardMonitor;

// The main window as the monitor sees it: a text box and the option list.
class BenchMainWindow final : public fenlow::MainWindowAccess {
 public:
  explicit BenchMainWindow(fenlow::platform::WindowHandle handle) : handle_(handle) {}
  fenlow::platform::WindowHandle MainWindowHandle() override { return handle_; }
  std::u16string Text1() override { return std::u16string(text1.View()); }
  // As the simulated text box holds it: the shared buffer, no copy.
  void SetText1(const fenlow::platform::SharedText& text) override { text1 = text; }
  std::u16string Combo1Text() override { return combo1; }

  fenlow::platform::SharedText text1;
  std::u16string combo1;

 private:
  fenlow::platform::WindowHandle handle_;
};

// A monitored main window wired as the program wires it, monitoring started.
struct MonitoredDesktop {
  MonitoredDesktop()
      : desktop(fenlow::platform::sim::CreateSimulatedDesktop()),
        window(desktop->CreateWindow()),
        monitor(*desktop, state, window),
        dispatcher(monitor) {
    monitor.SetBulkEditStep(dispatcher);
    state.MonitorEnabled = true;
    monitor.HookWindow();
    monitor.JoinChain();
    monitor.Yield();
  }

  std::unique_ptr<fenlow::platform::sim::SimulatedDesktop> desktop;
  fenlow::ProgramState state;
  BenchMainWindow window;
  ClipboardMonitor monitor;
  fenlow::BulkEditDispatcher dispatcher;
};

const std::u16string& SampleText(std::size_t megabytes) {
  static std::map<std::size_t, std::u16string> texts;
  std::u16string& text = texts[megabytes];
  if (text.empty())
    text = fenlow::edits::Utf8ToUtf16(fenlow::bench::SampleUtf8Text(megabytes << 20));
  return text;
}

// Another program copies the text (not timed); the copy's update message is
// delivered at the next yield, inside the timed part where the program has it.
void OtherProgramCopies(benchmark::State& state, MonitoredDesktop& desk,
                        const std::u16string& text) {
  state.PauseTiming();
  desk.desktop->OtherProgramSetsText(text);
  state.ResumeTiming();
}

// The start button's one call of the change handler on a 5-50 MB text that
// another program copied, next to the engine alone on the same text in the
// same iteration: "road/engine" is what the monitor's road costs in all
// (reading the clipboard, the edit, the write-back, Text1) over the edit.
void BulkEdit(benchmark::State& state, std::u16string_view option) {
  using Clock = std::chrono::steady_clock;
  MonitoredDesktop desk;
  const std::u16string& text = SampleText(static_cast<std::size_t>(state.range(0)));
  const fenlow::bench::Parameters parameters = fenlow::bench::ParametersFor(option);
  desk.window.combo1 = std::u16string(option);
  Clock::duration engine{}, road{};
  for (auto _ : state) {
    state.PauseTiming();
    desk.desktop->OtherProgramSetsText(text);
    desk.monitor.Yield();  // the copy arrives: ClipText and Text1 refreshed
    const auto engineStart = Clock::now();
    benchmark::DoNotOptimize(
        fenlow::edits::ApplyOption(option, text, parameters.first, parameters.second));
    engine += Clock::now() - engineStart;
    desk.state.BulkParam1 = parameters.first;
    desk.state.BulkParam2 = parameters.second;
    state.ResumeTiming();
    const auto roadStart = Clock::now();
    desk.state.BulkEditRequested = true;
    desk.monitor.OnClipboardChange();
    desk.state.BulkEditRequested = false;
    road += Clock::now() - roadStart;
    benchmark::DoNotOptimize(desk.desktop->ClipboardTextOrEmpty().size());
  }
  if (desk.window.text1.empty() && !text.empty() && desk.desktop->MessageBoxes().empty()) {
    state.SkipWithError("the edit left nothing");
  }
  state.counters["engine_ms"] = benchmark::Counter(
      std::chrono::duration<double, std::milli>(engine).count() / state.iterations());
  state.counters["road/engine"] =
      std::chrono::duration<double>(road).count() / std::chrono::duration<double>(engine).count();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}

void SaveStep(benchmark::State& state) {
  MonitoredDesktop desk;
  const std::u16string& text = SampleText(static_cast<std::size_t>(state.range(0)));
  desk.desktop->OtherProgramSetsText(u"copied before");  // the save step acts on a text clipboard
  desk.monitor.Yield();
  for (auto _ : state) {
    state.PauseTiming();
    std::u16string typed = text;
    typed[0] = u'#';  // an edit by hand
    desk.window.text1 = std::move(typed);
    state.ResumeTiming();
    desk.state.ManualSaveRequested = true;
    desk.monitor.OnClipboardChange();
    desk.state.ManualSaveRequested = false;
  }
  if (desk.desktop->ClipboardTextOrEmpty().size() != text.size()) {
    state.SkipWithError("the save step did not store the text");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}

void PlainChange(benchmark::State& state) {
  MonitoredDesktop desk;
  const std::u16string& text = SampleText(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    OtherProgramCopies(state, desk, text);
    desk.monitor.Yield();
  }
  if (desk.window.text1.size() != text.size()) state.SkipWithError("Text1 was not refreshed");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}

}  // namespace

int main(int argc, char** argv) {
  for (std::int64_t megabytes : {5, 25, 50}) {
    const std::string size = std::to_string(megabytes) + "MB";
    benchmark::RegisterBenchmark(("change/" + size).c_str(), PlainChange)
        ->Arg(megabytes)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark(("save/" + size).c_str(), SaveStep)
        ->Arg(megabytes)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    for (std::u16string_view option : fenlow::edits::kOptionListEntries) {
      if (option == fenlow::edits::options::kSeparator) continue;
      benchmark::RegisterBenchmark(
          ("bulk/" + size + "/" + fenlow::edits::Utf16ToUtf8(option)).c_str(),
          [option](benchmark::State& state) { BulkEdit(state, option); })
          ->Arg(megabytes)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(3);
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
