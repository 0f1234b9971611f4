#include "edits/engine/edit_chain.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "edits/engine/line_model.h"
#include "edits/engine/utf.h"

namespace fenlow::edits {
namespace {

// A step's parameters as UTF-8, kept for as long as its stages need them.
struct Utf8Parameters {
  explicit Utf8Parameters(const EditStep& step)
      : first(Utf16ToUtf8(step.param1)), second(Utf16ToUtf8(step.param2)) {}
  [[nodiscard]] Parameters<char> View() const { return {first, second}; }
  std::string first;
  std::string second;
};

// Runs a streaming edit's stages on each line: a line break ends the line's
// text for the stages, goes out as it is, and the stages start anew.
class EachLineStage final : public StreamStage {
 public:
  explicit EachLineStage(StreamStages stages) : chain_(std::move(stages)) {}

  std::size_t Edit(std::string_view input, bool last, std::string& output) override {
    std::size_t at = 0;
    while (at < input.size()) {
      if (std::exchange(afterCarriageReturn_, false) && input[at] == '\n') {
        output.push_back(input[at++]);
        continue;
      }
      const std::size_t lineEnd = std::min(input.find_first_of("\r\n", at), input.size());
      if (lineEnd == input.size()) {
        const std::size_t consumed = chain_.Edit(input.substr(at), last, output);
        if (last) chain_.Restart();
        return at + consumed;
      }
      (void)chain_.Edit(input.substr(at, lineEnd - at), true, output);
      chain_.Restart();
      output.push_back(input[lineEnd]);
      afterCarriageReturn_ = input[lineEnd] == '\r';
      at = lineEnd + 1;
    }
    if (last) {
      (void)chain_.Edit({}, true, output);
      chain_.Restart();
    }
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const override { return chain_.Growth(); }
  void Restart() override {
    chain_.Restart();
    afterCarriageReturn_ = false;
  }

 private:
  StageChain chain_;
  bool afterCarriageReturn_ = false;
};

// Runs an edit that needs the whole text on each line: holds one line.
class LineAtATimeStage final : public StreamStage {
 public:
  LineAtATimeStage(const EditDefinition& edit, Utf8Parameters parameters)
      : edit_(edit), parameters_(std::move(parameters)) {}

  std::size_t Edit(std::string_view input, bool last, std::string& output) override {
    std::size_t at = 0;
    while (at < input.size()) {
      const std::size_t lineEnd = std::min(input.find_first_of("\r\n", at), input.size());
      line_.append(input.substr(at, lineEnd - at));
      if (lineEnd == input.size()) break;
      EndLine(output);
      output.push_back(input[lineEnd]);
      at = lineEnd + 1;
    }
    if (last) EndLine(output);
    return input.size();
  }
  // The edits that need the whole text keep its length or shorten it, but
  // for the replacement of the delimiter edits; a guess is enough here.
  [[nodiscard]] std::size_t Growth() const override { return 4; }
  void Restart() override { line_.clear(); }

 private:
  void EndLine(std::string& output) {
    if (!line_.empty()) output.append(edit_.forms.utf8(std::move(line_), parameters_.View()));
    line_.clear();
  }

  const EditDefinition& edit_;
  Utf8Parameters parameters_;
  std::string line_;
};

std::u16string ApplyStepToUtf16(const EditStep& step, std::u16string_view text) {
  const Parameters<char16_t> parameters{step.param1, step.param2};
  if (!step.eachLine) return step.edit->forms.utf16(text, parameters);
  return generic::EditEachLine(
      text, [&](std::u16string_view line) { return step.edit->forms.utf16(line, parameters); });
}

std::string ApplyStepToUtf8(const EditStep& step, std::string text) {
  const Utf8Parameters parameters(step);
  if (!step.eachLine) return step.edit->forms.utf8(std::move(text), parameters.View());
  return generic::EditEachLine(std::string_view(text), [&](std::string_view line) {
    return step.edit->forms.utf8(std::string(line), parameters.View());
  });
}

}  // namespace

void CheckStep(const EditStep& step) {
  (void)step.edit->forms.utf16({}, Parameters<char16_t>{step.param1, step.param2});
}

std::u16string ApplyStepsToUtf16(std::span<const EditStep> steps, std::u16string text) {
  for (const EditStep& step : steps) text = ApplyStepToUtf16(step, text);
  return text;
}

std::string ApplyStepsToUtf8(std::span<const EditStep> steps, std::string text) {
  for (const EditStep& step : steps) text = ApplyStepToUtf8(step, std::move(text));
  return text;
}

bool StepsStream(std::span<const EditStep> steps) {
  return std::all_of(steps.begin(), steps.end(),
                     [](const EditStep& step) { return step.eachLine || step.edit->Streams(); });
}

StreamStages StagesOfSteps(std::span<const EditStep> steps) {
  StreamStages stages;
  for (const EditStep& step : steps) {
    Utf8Parameters parameters(step);
    if (step.eachLine && !step.edit->Streams()) {
      stages.push_back(std::make_unique<LineAtATimeStage>(*step.edit, std::move(parameters)));
      continue;
    }
    StreamStages own = step.edit->forms.stages(parameters.View());
    if (step.eachLine) {
      stages.push_back(std::make_unique<EachLineStage>(std::move(own)));
    } else {
      std::move(own.begin(), own.end(), std::back_inserter(stages));
    }
  }
  return stages;
}

}  // namespace fenlow::edits
