// Every bulk edit through the catalogue on a 1 MB text; with
// FENLOW_BENCH_LARGE=1 also on 100 MB, to show time grows linearly. Beside
// the UTF-16 engine: the UTF-8 edits, the one-pass ones as fenlow-cli runs
// them (a StreamEditor fed block by block, validation included) and the
// others on the whole text in place; and memcpy of the same text, the speed
// of one pass over memory on this machine.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "bench_parameters.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/stream_edits.h"
#include "edits/engine/utf.h"
#include "sample_text.h"

namespace {

using fenlow::edits::kOptionListEntries;

using fenlow::bench::Parameters;
using fenlow::bench::ParametersFor;

std::string Utf8(std::u16string_view text) {
  return fenlow::edits::Utf16ToUtf8(text);
}

void SetBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// The text copied into each block's room stands for reading it, and the
// output cleared after each block for writing it.
void EditInBlocks(std::u16string_view option, const std::string& text, const std::string& first,
                  const std::string& second, std::string& output) {
  fenlow::edits::StreamEditor editor = fenlow::edits::OnePassEditor(option, first, second);
  const std::size_t block = editor.BlockBytes();
  for (std::size_t at = 0; at < text.size(); at += block) {
    const std::string_view piece = std::string_view(text).substr(at, block);
    const std::span<char> room = editor.NextBlock(piece.size());
    std::memcpy(room.data(), piece.data(), piece.size());
    editor.Edit(piece.size(), output);
    benchmark::DoNotOptimize(output.data());
    output.clear();
  }
  editor.Finish(output);
  output.clear();
}

void RegisterFor(std::u16string_view option, const std::string& sizeName, std::size_t bytes) {
  const Parameters parameters = ParametersFor(option);
  const std::string name = Utf8(option);
  benchmark::RegisterBenchmark(("utf16/" + sizeName + "/" + name).c_str(),
                               [option, parameters, bytes](benchmark::State& state) {
                                 const std::u16string text = fenlow::edits::Utf8ToUtf16(
                                     fenlow::bench::SampleUtf8Text(bytes));
                                 for (auto _ : state) {
                                   benchmark::DoNotOptimize(fenlow::edits::ApplyOption(
                                       option, text, parameters.first, parameters.second));
                                 }
                                 SetBytes(state, text.size() * 2);
                               })
      ->Unit(benchmark::kMillisecond);
  const std::string first = Utf8(parameters.first);
  const std::string second = Utf8(parameters.second);
  if (fenlow::edits::EditsInOnePass(option)) {
    benchmark::RegisterBenchmark(("stream/" + sizeName + "/" + name).c_str(),
                                 [option, first, second, bytes](benchmark::State& state) {
                                   const std::string text = fenlow::bench::SampleUtf8Text(bytes);
                                   std::string output;
                                   for (auto _ : state) {
                                     EditInBlocks(option, text, first, second, output);
                                   }
                                   SetBytes(state, text.size());
                                 })
        ->Unit(benchmark::kMillisecond);
    return;
  }
  benchmark::RegisterBenchmark(("utf8/" + sizeName + "/" + name).c_str(),
                               [option, first, second, bytes](benchmark::State& state) {
                                 const std::string text = fenlow::bench::SampleUtf8Text(bytes);
                                 for (auto _ : state) {
                                   state.PauseTiming();
                                   std::string inPlace = text;
                                   state.ResumeTiming();
                                   benchmark::DoNotOptimize(fenlow::edits::ApplyOptionToUtf8(
                                       option, std::move(inPlace), first, second));
                                 }
                                 SetBytes(state, text.size());
                               })
      ->Unit(benchmark::kMillisecond);
}

void RegisterMemcpy(const std::string& sizeName, std::size_t bytes) {
  benchmark::RegisterBenchmark(("memcpy/" + sizeName).c_str(), [bytes](benchmark::State& state) {
    const std::string text = fenlow::bench::SampleUtf8Text(bytes);
    std::string copy(text.size(), '\0');
    for (auto _ : state) {
      std::memcpy(copy.data(), text.data(), text.size());
      benchmark::DoNotOptimize(copy.data());
    }
    SetBytes(state, text.size());
  })->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  const char* large = std::getenv("FENLOW_BENCH_LARGE");
  const bool withLarge = large != nullptr && std::string(large) == "1";
  RegisterMemcpy("1MB", std::size_t{1} << 20);
  if (withLarge) RegisterMemcpy("100MB", std::size_t{100} << 20);
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
