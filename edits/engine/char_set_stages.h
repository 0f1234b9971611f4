#pragma once

// The stages that keep, drop or replace each code unit by its membership in
// a set of characters: the character-class edits.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "edits/engine/char_set_table.h"
#include "edits/engine/stage_runs.h"
#include "edits/engine/text_edits.h"
#include "edits/engine/unit_transforms.h"

namespace fenlow::edits::generic {

// What RemoveNonAlphanumericChars keeps: the alphanumerics, the space, and the
// characters that lay out a text (CR, LF, tab).
inline constexpr std::u16string_view kAlphanumericLayoutSet =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 \r\n\t";

// Each unit keeps its place when its membership in a set equals
// `keepMembers`; any other unit is replaced by `replacement` (removed when it
// is empty). Needs no look-ahead. `Set` is a CharSetTable or a OneUnitSet.
// The sets hold ASCII characters or single units only, so on UTF-8 this
// gives what it gives on UTF-16.
template <typename Char, typename Set = CharSetTable>
class CharSetStage {
 public:
  CharSetStage(Set members, View<Char> replacement, bool keepMembers)
      : members_(std::move(members)), replacement_(replacement), keepMembers_(keepMembers) {}

  std::size_t Edit(View<Char> input, bool, String<Char>& output) const {
    if (replacement_.empty()) {
      AppendKeptUnits(input, members_, keepMembers_, output);
    } else if (replacement_.size() == 1) {
      AppendMappedUnits(input, members_, keepMembers_, replacement_[0], output);
    } else {
      const View<Char> replacement = replacement_;
      AppendSubstitutedUnits(
          input, members_, keepMembers_, [replacement](Char) { return replacement; }, output);
    }
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return GrowthOf(replacement_.size(), 1); }
  void Restart() {}
  [[nodiscard]] const Set& Members() const { return members_; }

 private:
  Set members_;
  String<Char> replacement_;
  bool keepMembers_;
};

// Every character other than A-Z, a-z, 0-9 and space yields one copy of the
// replacement per UTF-16 code unit: on UTF-8, one copy for the lead byte of a
// character of the Basic Multilingual Plane, two for the lead byte of one
// beyond it (a surrogate pair), none for continuation bytes.
template <typename Char>
class NonAlphanumericStage {
 public:
  explicit NonAlphanumericStage(View<Char> replacement)
      : units_(CharSetTable(AlphanumericSpaceSet), replacement, true),
        once_(replacement),
        twice_(String<Char>(replacement) + String<Char>(replacement)) {}

  std::size_t Edit(View<Char> input, bool last, String<Char>& output) const {
    if constexpr (sizeof(Char) == 1) {
      if (!once_.empty()) {
        const View<Char> twice = twice_;
        const View<Char> once = once_;
        AppendSubstitutedUnits(
            input, units_.Members(), true,
            [twice, once](Char c) {
              const std::uint32_t byte = UnitValue(c);
              if (byte >= 0xF0) return twice;
              if (byte >= 0xC0 || byte < 0x80) return once;
              return View<Char>();
            },
            output);
        return input.size();
      }
    }
    return units_.Edit(input, last, output);
  }
  [[nodiscard]] std::size_t Growth() const { return units_.Growth(); }
  void Restart() {}

 private:
  CharSetStage<Char> units_;
  String<Char> once_;
  String<Char> twice_;
};

// Keeping members of an ASCII set drops every unit of a non-ASCII character,
// so this too gives the same text on UTF-8.
template <typename Char>
CharSetStage<Char> RemoveNonAlphanumericCharsStage() {
  return CharSetStage<Char>(CharSetTable(kAlphanumericLayoutSet), View<Char>(), true);
}

template <typename Char>
CharSetStage<Char> ReplaceAlphabetCharsStage(View<Char> replacement) {
  return CharSetStage<Char>(CharSetTable(AlphabetSet), replacement, false);
}

template <typename Char>
CharSetStage<Char> ReplaceNumericCharsStage(View<Char> replacement) {
  return CharSetStage<Char>(CharSetTable(DigitSet), replacement, false);
}

template <typename Char>
CharSetStage<Char> ReplaceAlphanumericCharsStage(View<Char> replacement) {
  return CharSetStage<Char>(CharSetTable(AlphanumericSet), replacement, false);
}

template <typename Char>
String<Char> FilterCharSet(View<Char> text, std::u16string_view charSet, bool keepMembers) {
  return EditWhole<Char>(CharSetStage<Char>(CharSetTable(charSet), View<Char>(), keepMembers),
                         text);
}

template <typename Char>
String<Char> SubstituteCharSet(View<Char> text, std::u16string_view charSet, View<Char> replacement,
                               bool keepMembers) {
  return EditWhole<Char>(CharSetStage<Char>(CharSetTable(charSet), replacement, keepMembers), text);
}

}  // namespace fenlow::edits::generic
