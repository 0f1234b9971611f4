#include "dialogs/text_marks.h"

#include <algorithm>
#include <dtl/dtl.hpp>
#include <map>
#include <string>

namespace fenlow {
namespace {

using platform::MarkedRange;

// A stretch of each text: [start, start + length).
struct Stretch {
  std::size_t start = 0;
  std::size_t length = 0;
  [[nodiscard]] std::size_t End() const { return start + length; }
};

// Appends a mark, joined to the one before when they touch.
void Mark(std::vector<MarkedRange>& marks, std::size_t start, std::size_t length,
          platform::Colour colour) {
  if (length == 0) return;
  if (!marks.empty() && marks.back().start + marks.back().length == start) {
    marks.back().length += length;
    return;
  }
  marks.push_back({start, length, colour});
}

class ChangeMarker {
 public:
  ChangeMarker(std::u16string_view before, std::u16string_view after,
               const std::function<bool()>& cancelled)
      : before_(before), after_(after), cancelled_(cancelled) {}

  TextMarks Marks() && { return std::move(marks_); }

  // Without the common beginning and end, then as the limits allow.
  void MarkStretches(Stretch first, Stretch second, bool byLinesAllowed) {
    if (cancelled_ && cancelled_()) return;
    while (first.length > 0 && second.length > 0 && before_[first.start] == after_[second.start]) {
      ++first.start, --first.length, ++second.start, --second.length;
    }
    while (first.length > 0 && second.length > 0 &&
           before_[first.End() - 1] == after_[second.End() - 1]) {
      --first.length, --second.length;
    }
    if (first.length == 0 || second.length == 0 ||
        (first.length <= kCharacterDiffLimit && second.length <= kCharacterDiffLimit)) {
      MarkByCharacters(first, second);
      return;
    }
    if (byLinesAllowed && MarkByLines(first, second)) return;
    MarkWhole(first, second);
  }

 private:
  void MarkWhole(Stretch first, Stretch second) {
    Mark(marks_.removed, first.start, first.length, kRemovedColour);
    Mark(marks_.added, second.start, second.length, kAddedColour);
  }

  // Takes what a comparison of `m` and `n` units may cost from the budget;
  // false, taking nothing, when it would overdraw it.
  bool Afford(std::size_t m, std::size_t n) {
    const std::size_t cost = (m + n) * std::min(m, n);
    if (cost > budget_) return false;
    budget_ -= cost;
    return true;
  }

  void MarkByCharacters(Stretch first, Stretch second) {
    if (first.length == 0 || second.length == 0 || !Afford(first.length, second.length)) {
      return MarkWhole(first, second);
    }
    const std::u16string a(before_.substr(first.start, first.length));
    const std::u16string b(after_.substr(second.start, second.length));
    dtl::Diff<char16_t, std::u16string> diff(a, b);
    diff.compose();
    for (const auto& [unit, info] : diff.getSes().getSequence()) {
      if (info.type == dtl::SES_DELETE) {
        Mark(marks_.removed, first.start + static_cast<std::size_t>(info.beforeIdx - 1), 1,
             kRemovedColour);
      } else if (info.type == dtl::SES_ADD) {
        Mark(marks_.added, second.start + static_cast<std::size_t>(info.afterIdx - 1), 1,
             kAddedColour);
      }
    }
  }

  // Each line with its break, as a stretch of its text.
  static std::vector<Stretch> Lines(std::u16string_view text, Stretch within) {
    std::vector<Stretch> lines;
    std::size_t at = within.start;
    while (at < within.End()) {
      const std::size_t lineBreak = text.find(u'\n', at);
      const std::size_t end = lineBreak == std::u16string_view::npos || lineBreak >= within.End()
                                  ? within.End()
                                  : lineBreak + 1;
      lines.push_back({at, end - at});
      at = end;
    }
    return lines;
  }

  // False when comparing the lines would overdraw the budget.
  bool MarkByLines(Stretch first, Stretch second) {
    const std::vector<Stretch> a = Lines(before_, first);
    const std::vector<Stretch> b = Lines(after_, second);
    if (!Afford(a.size(), b.size())) return false;
    std::map<std::u16string_view, int> ids;
    auto idsOf = [&](std::u16string_view text, const std::vector<Stretch>& lines) {
      std::vector<int> result;
      for (const Stretch& line : lines) {
        const auto [entry, added] =
            ids.try_emplace(text.substr(line.start, line.length), static_cast<int>(ids.size()));
        result.push_back(entry->second);
      }
      return result;
    };
    dtl::Diff<int, std::vector<int>> diff(idsOf(before_, a), idsOf(after_, b));
    diff.compose();
    std::vector<std::size_t> removed;
    std::vector<std::size_t> added;
    for (const auto& [id, info] : diff.getSes().getSequence()) {
      if (info.type == dtl::SES_DELETE)
        removed.push_back(static_cast<std::size_t>(info.beforeIdx - 1));
      if (info.type == dtl::SES_ADD) added.push_back(static_cast<std::size_t>(info.afterIdx - 1));
      if (info.type == dtl::SES_COMMON) MarkChangedLines(a, removed, b, added);
    }
    MarkChangedLines(a, removed, b, added);
    return true;
  }

  // A stretch of changed lines: line against line when both sides have as
  // many, else as one stretch.
  void MarkChangedLines(const std::vector<Stretch>& a, std::vector<std::size_t>& removed,
                        const std::vector<Stretch>& b, std::vector<std::size_t>& added) {
    auto joined = [](const std::vector<Stretch>& lines, const std::vector<std::size_t>& which) {
      if (which.empty()) return Stretch{};
      const Stretch& last = lines[which.back()];
      return Stretch{lines[which.front()].start, last.End() - lines[which.front()].start};
    };
    if (!removed.empty() && removed.size() == added.size()) {
      for (std::size_t line = 0; line < removed.size(); ++line) {
        MarkStretches(a[removed[line]], b[added[line]], false);
      }
    } else if (!removed.empty() || !added.empty()) {
      MarkStretches(joined(a, removed), joined(b, added), false);
    }
    removed.clear();
    added.clear();
  }

  std::u16string_view before_;
  std::u16string_view after_;
  const std::function<bool()>& cancelled_;
  std::size_t budget_ = kDiffBudget;
  TextMarks marks_;
};

}  // namespace

TextMarks MarkChanges(std::u16string_view before, std::u16string_view after,
                      const std::function<bool()>& cancelled) {
  ChangeMarker marker(before, after, cancelled);
  marker.MarkStretches({0, before.size()}, {0, after.size()}, true);
  return std::move(marker).Marks();
}

}  // namespace fenlow
