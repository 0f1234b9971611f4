// Every bulk edit through the catalogue on a 1 MB text; with
// FENLOW_BENCH_LARGE=1 also on 100 MB, to show time grows linearly.
// The UTF-8 direct path is measured beside the UTF-16 engine where it exists.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench_parameters.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "sample_text.h"

namespace {

using fenlow::edits::kOptionListEntries;

using fenlow::bench::Parameters;
using fenlow::bench::ParametersFor;

std::string Utf8(std::u16string_view text) {
  return fenlow::edits::Utf16ToUtf8(text);
}

void RegisterFor(std::u16string_view option, const std::string& sizeName, std::size_t bytes) {
  const Parameters parameters = ParametersFor(option);
  const std::string name = Utf8(option);
  benchmark::RegisterBenchmark(
      ("utf16/" + sizeName + "/" + name).c_str(),
      [option, parameters, bytes](benchmark::State& state) {
        const std::u16string text =
            fenlow::edits::Utf8ToUtf16(fenlow::bench::SampleUtf8Text(bytes));
        for (auto _ : state) {
          benchmark::DoNotOptimize(
              fenlow::edits::ApplyOption(option, text, parameters.first, parameters.second));
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
      })
      ->Unit(benchmark::kMillisecond);
  if (!fenlow::edits::EditsUtf8Directly(option)) return;
  benchmark::RegisterBenchmark(
      ("utf8/" + sizeName + "/" + name).c_str(),
      [option, parameters, bytes](benchmark::State& state) {
        const std::string text = fenlow::bench::SampleUtf8Text(bytes);
        const std::string first = Utf8(parameters.first);
        const std::string second = Utf8(parameters.second);
        for (auto _ : state) {
          benchmark::DoNotOptimize(fenlow::edits::ApplyOptionToUtf8(option, text, first, second));
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
      })
      ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  const char* large = std::getenv("FENLOW_BENCH_LARGE");
  const bool withLarge = large != nullptr && std::string(large) == "1";
  for (std::u16string_view option : kOptionListEntries) {
    if (option == fenlow::edits::options::kSeparator) continue;
    RegisterFor(option, "1MB", std::size_t{1} << 20);
    if (withLarge) RegisterFor(option, "100MB", std::size_t{100} << 20);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
