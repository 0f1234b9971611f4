#pragma once

// The edits of spaces, tabs and lines beyond the option list, in the line
// model of line_model.h, each a stage that edits in one pass.

#include <cstddef>
#include <string>
#include <string_view>

#include "edits/engine/code_points.h"
#include "edits/engine/line_model.h"
#include "edits/engine/stage_runs.h"
#include "edits/engine/unicode_data.h"

namespace fenlow::edits::generic {

// Removes the spaces and tabs at the start and at the end of every line. The
// spaces and tabs after the last other character of a line are held until
// it is known whether the line goes on.
template <typename Char>
class TrimLinesStage {
 public:
  std::size_t Edit(View<Char> input, bool, String<Char>& output) {
    for (const Char c : input) {
      if (IsLineBreakUnit(c)) {
        held_.clear();
        atLineStart_ = true;
        output.push_back(c);
      } else if (IsSpaceOrTab(c)) {
        if (!atLineStart_) held_.push_back(c);
      } else {
        output.append(held_);
        held_.clear();
        atLineStart_ = false;
        output.push_back(c);
      }
    }
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }
  void Restart() { *this = TrimLinesStage(); }

 private:
  bool atLineStart_ = true;
  String<Char> held_;
};

// Every run of two or more spaces becomes one space; tabs stay.
template <typename Char>
class CollapseSpacesStage {
 public:
  std::size_t Edit(View<Char> input, bool, String<Char>& output) {
    std::size_t at = 0;
    while (at < input.size()) {
      if (afterSpace_) {
        while (at < input.size() && input[at] == Char(' ')) ++at;
        if (at == input.size()) break;
      }
      const std::size_t space = input.find(Char(' '), at);
      const std::size_t end = space == input.npos ? input.size() : space + 1;
      output.append(input.substr(at, end - at));
      afterSpace_ = space != input.npos;
      at = end;
    }
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }
  void Restart() { afterSpace_ = false; }

 private:
  bool afterSpace_ = false;
};

// Joins the lines of each paragraph. A line is blank when it holds nothing
// but spaces and tabs. Inside each run of lines that are not blank, each line
// break, with the spaces and tabs at the end of the line before it and at the
// start of the line after it, becomes one space; or nothing, keeping the
// "-", when the line before (without its trailing spaces and tabs) ends with
// "-" right after a letter. Blank lines and the breaks around them stay.
// Held back: the spaces and tabs at the end of a line, then its break and
// the spaces and tabs that start the next line, until the next line shows
// whether it is blank.
template <typename Char>
class UnwrapLinesStage {
 public:
  std::size_t Edit(View<Char> input, bool last, String<Char>& output) {
    std::size_t at = 0;
    while (at < input.size()) {
      const Char c = input[at];
      switch (state_) {
        case State::LineStart:
          if (!IsLineBreakUnit(c) && !IsSpaceOrTab(c)) {
            StartContent();
            continue;
          }
          output.push_back(c);
          break;
        case State::InLine:
          if (IsSpaceOrTab(c)) {
            held_.push_back(c);
          } else if (IsLineBreakUnit(c)) {
            held_.push_back(c);
            joinWithSpace_ = !hyphenAfterLetter_;
            crPending_ = c == Char('\r');
            state_ = State::AfterBreak;
          } else {
            at += AppendContent(input, at, output);
            continue;
          }
          break;
        case State::AfterBreak:
          if (crPending_ && c == Char('\n')) {
            held_.push_back(c);
          } else if (IsSpaceOrTab(c)) {
            held_.push_back(c);
          } else if (IsLineBreakUnit(c)) {
            // The next line is blank: everything stays as it was.
            output.append(held_);
            held_.clear();
            state_ = State::LineStart;
            continue;
          } else {
            if (joinWithSpace_) output.push_back(Char(' '));
            held_.clear();
            StartContent();
            continue;
          }
          crPending_ = false;
          break;
      }
      ++at;
    }
    if (last) {
      output.append(held_);
      held_.clear();
    }
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }
  void Restart() { *this = UnwrapLinesStage(); }

 private:
  enum class State { LineStart, InLine, AfterBreak };

  void StartContent() {
    state_ = State::InLine;
    previousIsLetter_ = false;
    hyphenAfterLetter_ = false;
  }

  // Appends the held spaces and tabs and the character at `at`; returns its
  // units.
  std::size_t AppendContent(View<Char> input, std::size_t at, String<Char>& output) {
    const CodePoint c = CodePointAt(input, at);
    if (!held_.empty()) {
      output.append(held_);
      held_.clear();
      previousIsLetter_ = false;
    }
    output.append(input.substr(at, c.units));
    hyphenAfterLetter_ = c.value == U'-' && previousIsLetter_;
    previousIsLetter_ = unicode::Has(c.value, unicode::kLetter);
    return c.units;
  }

  State state_ = State::LineStart;
  String<Char> held_;
  bool joinWithSpace_ = true;
  bool crPending_ = false;
  bool previousIsLetter_ = false;
  bool hyphenAfterLetter_ = false;
};

}  // namespace fenlow::edits::generic
