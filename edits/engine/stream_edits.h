#pragma once

// The edits that run in one pass, on a UTF-8 text that arrives in blocks:
// each block is validated as it comes (a character split between blocks is
// carried over to the next one) and edited by a chain of stages, each of
// which holds back no more than its own bounded look-ahead. So a text of any
// size is edited in memory of the order of a block, and the result of a
// block can be written out before the next block is read.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fenlow::edits {

// One pass of an edit over a UTF-8 text that arrives in pieces of whole
// characters. Edit edits the front of `input` and appends the result that is
// decided to `output`; it returns how many bytes of `input` it consumed. The
// bytes it leaves (no more than its look-ahead) come again at the front of
// the next call's input. With `last` the input ends the text and is consumed
// whole. Growth is the most output bytes that one input byte can give.
// Restart makes the stage start a new text.
class StreamStage {
 public:
  virtual ~StreamStage() = default;
  virtual std::size_t Edit(std::string_view input, bool last, std::string& output) = 0;
  [[nodiscard]] virtual std::size_t Growth() const = 0;
  virtual void Restart() = 0;
};

using StreamStages = std::vector<std::unique_ptr<StreamStage>>;

// A stage of the edits written for any code unit type (stage_runs.h) as
// a StreamStage.
template <typename Stage>
class StageOnUtf8 final : public StreamStage {
 public:
  explicit StageOnUtf8(Stage stage) : stage_(std::move(stage)) {}
  std::size_t Edit(std::string_view input, bool last, std::string& output) override {
    return stage_.Edit(input, last, output);
  }
  [[nodiscard]] std::size_t Growth() const override { return stage_.Growth(); }
  void Restart() override { stage_.Restart(); }

 private:
  Stage stage_;
};

[[nodiscard]] inline StreamStages StagesOf(std::unique_ptr<StreamStage> stage) {
  StreamStages stages;
  stages.push_back(std::move(stage));
  return stages;
}

template <typename Stage>
[[nodiscard]] StreamStages StagesOf(Stage stage) {
  return StagesOf(
      std::unique_ptr<StreamStage>(std::make_unique<StageOnUtf8<Stage>>(std::move(stage))));
}

template <typename Stage>
[[nodiscard]] StreamStages StagesOf(std::vector<Stage> inTurn) {
  StreamStages stages;
  for (Stage& stage : inTurn)
    stages.push_back(std::make_unique<StageOnUtf8<Stage>>(std::move(stage)));
  return stages;
}

// Stages run in turn as one stage: each one's output is the next one's
// input, and what a stage leaves is kept for its next call.
class StageChain final : public StreamStage {
 public:
  explicit StageChain(StreamStages stages);
  // Returns how many bytes of `input` the first stage consumed.
  std::size_t Edit(std::string_view input, bool last, std::string& output) override;
  [[nodiscard]] std::size_t Growth() const override;
  void Restart() override;

 private:
  StreamStages stages_;
  // held_[k] for k >= 1: the end of its input that stage k left for next time.
  std::vector<std::string> held_;
  // The outputs of the stages between the first and the last, in turn.
  std::string between_[2];
};

// Runs stages in turn over a UTF-8 text that arrives in blocks.
//   StreamEditor editor(stages);
//   while (more) { n = read(editor.NextBlock(editor.BlockBytes())); editor.Edit(n, out); }
//   editor.Finish(out);
// Edit and Finish throw EncodingError for invalid UTF-8, with the byte offset
// in the whole text, once the characters before it are edited as far as
// they go: the output given so far is then the start of what the valid text
// before that offset gives. They also pass on the stages' own failures
// (EditFailure, LoneSurrogateError).
class StreamEditor {
 public:
  explicit StreamEditor(StreamStages stages);

  // A block size that keeps the buffers to a few hundred KiB, however much
  // the stages make of each byte.
  [[nodiscard]] std::size_t BlockBytes() const;
  // Room for the next `size` bytes of the text, for the caller to fill.
  [[nodiscard]] std::span<char> NextBlock(std::size_t size);
  // Validates and edits the first `filled` bytes of the room that NextBlock
  // gave, and appends the result that is decided to `output`.
  void Edit(std::size_t filled, std::string& output);
  // The text has ended: appends the rest of the result.
  void Finish(std::string& output);

 private:
  // Validates the bytes not yet validated; see Edit for an invalid one.
  void Validate(bool atEnd, std::string& output);
  StageChain stages_;
  // What the first stage left, then bytes not yet validated, then room.
  std::string input_;
  std::size_t filled_ = 0;     // Bytes of input_ that hold text.
  std::size_t validated_ = 0;  // Bytes at its start that are whole, valid characters.
  std::size_t offset_ = 0;     // The byte offset of input_[0] in the whole text.
};

// Runs stages in turn over a whole UTF-8 text at once.
[[nodiscard]] std::string EditWholeUtf8(StreamStages stages, std::string_view text);

}  // namespace fenlow::edits
