// The Recipes dialog's preview of a 20 MB clipboard text: the preview alone
// for a few recipes, and through the worker on the simulated desktop, from
// the request to the result on the window's thread (the first result the
// user sees). The counter previewed_units is the size previewed.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "dialogs/preview_worker.h"
#include "dialogs/recipe_preview.h"
#include "edits/engine/utf.h"
#include "platform/sim/simulated_desktop.h"
#include "sample_text.h"

namespace {

using fenlow::recipes::RecipeStep;

constexpr std::size_t kClipboardBytes = 20u << 20;

const std::u16string& HugeClipboard() {
  static const std::u16string text =
      fenlow::edits::Utf8ToUtf16(fenlow::bench::SampleUtf8Text(kClipboardBytes));
  return text;
}

std::vector<RecipeStep> Recipe(int which) {
  auto step = [](std::string edit, std::string param1 = {}) {
    RecipeStep made;
    made.edit = std::move(edit);
    if (!param1.empty()) made.param1 = std::move(param1);
    return made;
  };
  switch (which) {
    case 0:
      return {step("remove-all-spaces")};
    case 1:
      return {step("upper-case")};  // a change in nearly every line
    case 2:
      return {step("remove-blank-lines"), step("unwrap-lines")};
    default:
      return {step("regex-replace", "[0-9]+"), step("trim-lines")};
  }
}

void BM_PreviewOfHugeClipboard(benchmark::State& state) {
  const std::vector<RecipeStep> steps = Recipe(static_cast<int>(state.range(0)));
  const std::u16string& clipboard = HugeClipboard();
  std::size_t previewed = 0;
  for (auto _ : state) {
    const fenlow::Preview preview = fenlow::MakePreview(clipboard, steps, [] { return false; });
    previewed = preview.before.size();
    benchmark::DoNotOptimize(preview.after.data());
  }
  state.counters["previewed_units"] = static_cast<double>(previewed);
  state.counters["clipboard_units"] = static_cast<double>(clipboard.size());
  state.SetLabel(steps.front().edit);
}
BENCHMARK(BM_PreviewOfHugeClipboard)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_FirstPreviewThroughTheWorker(benchmark::State& state) {
  auto desktop = fenlow::platform::sim::CreateSimulatedDesktop();
  const fenlow::platform::SharedText clipboard(HugeClipboard());
  std::size_t previewed = 0;
  bool arrived = false;
  fenlow::PreviewWorker worker(desktop->Forms(), [&](const fenlow::Preview& preview) {
    previewed = preview.before.size();
    arrived = true;
  });
  for (auto _ : state) {
    arrived = false;
    worker.Request(clipboard, Recipe(1));
    if (!desktop->SimMessaging().DispatchUntil([&] { return arrived; }, std::chrono::minutes(1))) {
      state.SkipWithError("no preview within a minute");
      break;
    }
  }
  state.counters["previewed_units"] = static_cast<double>(previewed);
}
BENCHMARK(BM_FirstPreviewThroughTheWorker)->Unit(benchmark::kMillisecond)->UseRealTime();

// The marking's worst case within its bound: lines at the character limit,
// every character of each changed (letters to upper case), as much text as
// a preview takes.
void BM_MarkChangesWorstCase(benchmark::State& state) {
  std::u16string before;
  std::uint32_t seed = 12345;
  while (before.size() + fenlow::kCharacterDiffLimit + 2 <= fenlow::kPreviewLength) {
    for (std::size_t unit = 0; unit < fenlow::kCharacterDiffLimit; ++unit) {
      seed = seed * 1103515245u + 12345u;
      before.push_back(static_cast<char16_t>(u'a' + (seed >> 16) % 26));
    }
    before.append(u"\r\n");
  }
  std::u16string after = before;
  for (char16_t& unit : after) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  for (auto _ : state) {
    const fenlow::TextMarks marks = fenlow::MarkChanges(before, after);
    benchmark::DoNotOptimize(marks.removed.data());
  }
  state.counters["units"] = static_cast<double>(before.size());
}
BENCHMARK(BM_MarkChangesWorstCase)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
