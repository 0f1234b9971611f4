// The case edits on every code point against the Unicode Character Database
// files that the engine's tables are made from, read here on their own: the
// simple mappings and general categories of UnicodeData.txt, the
// unconditional full mappings of SpecialCasing.txt, and the simple case
// folding (statuses C and S) of CaseFolding.txt.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "edits/engine/catalogue.h"
#include "edits/engine/unicode_data.h"

namespace fenlow::edits {
namespace {

using CodePoints = std::u32string;

// The fields of every data line of a file, comments dropped.
std::vector<std::vector<std::string>> DataLines(const std::string& name) {
  std::ifstream file(std::string(FENLOW_UNICODE_DATA_DIR) + "/" + name);
  EXPECT_TRUE(file.good()) << name;
  std::vector<std::vector<std::string>> lines;
  for (std::string line; std::getline(file, line);) {
    line = line.substr(0, line.find('#'));
    if (line.find(';') == std::string::npos) continue;
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, ';');) {
      const std::size_t first = field.find_first_not_of(' ');
      fields.push_back(first == std::string::npos
                           ? ""
                           : field.substr(first, field.find_last_not_of(' ') - first + 1));
    }
    fields.resize(std::max<std::size_t>(fields.size(), 15));  // empty fields at the end
    lines.push_back(fields);
  }
  return lines;
}

CodePoints Parse(const std::string& field) {
  CodePoints points;
  std::stringstream stream(field);
  for (std::string hex; stream >> hex;)
    points += static_cast<char32_t>(std::stoul(hex, nullptr, 16));
  return points;
}

struct Expected {
  CodePoints upper, lower, title;
  bool wordCharacter = false;  // letter, mark or decimal digit
};

std::map<char32_t, Expected> ReadExpectations() {
  std::map<char32_t, Expected> expected;
  for (const auto& fields : DataLines("UnicodeData.txt")) {
    const auto c = static_cast<char32_t>(std::stoul(fields[0], nullptr, 16));
    Expected& e = expected[c];
    e.upper = fields[12].empty() ? CodePoints(1, c) : Parse(fields[12]);
    e.lower = fields[13].empty() ? CodePoints(1, c) : Parse(fields[13]);
    e.title = fields[14].empty() ? e.upper : Parse(fields[14]);
    e.wordCharacter = fields[2][0] == 'L' || fields[2][0] == 'M' || fields[2] == "Nd";
  }
  for (const auto& fields : DataLines("SpecialCasing.txt")) {
    if (fields.size() > 4 && !fields[4].empty()) continue;  // conditional
    Expected& e = expected[static_cast<char32_t>(std::stoul(fields[0], nullptr, 16))];
    e.lower = Parse(fields[1]);
    e.title = Parse(fields[2]);
    e.upper = Parse(fields[3]);
  }
  return expected;
}

std::u16string Utf16Of(const CodePoints& points) {
  std::u16string text;
  for (char32_t c : points) {
    if (c >= 0x10000) {
      text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      text += static_cast<char16_t>(c);
    }
  }
  return text;
}

std::u16string Apply(std::string_view name, const std::u16string& text) {
  return FindEdit(EngineEdits(), std::u16string(name.begin(), name.end()))->forms.utf16(text, {});
}

TEST(UnicodeFiles, CaseEditsMapEveryCodePointAsTheFilesSay) {
  const std::map<char32_t, Expected> expected = ReadExpectations();
  int mismatches = 0;
  for (char32_t c = 0; c <= 0x10FFFF && mismatches < 20; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;
    const auto found = expected.find(c);
    const Expected e = found != expected.end()
                           ? found->second
                           : Expected{CodePoints(1, c), CodePoints(1, c), CodePoints(1, c), false};
    const std::u16string text = Utf16Of(CodePoints(1, c));
    const std::u16string title = e.wordCharacter ? Utf16Of(e.title) : text;
    const bool same = Apply("upper-case", text) == Utf16Of(e.upper) &&
                      Apply("lower-case", text) == Utf16Of(e.lower) &&
                      Apply("title-case", text) == title;
    if (!same) {
      ++mismatches;
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c);
    }
  }
}

TEST(UnicodeFiles, SimpleCaseFoldingOfEveryCodePoint) {
  std::map<char32_t, char32_t> folding;
  for (const auto& fields : DataLines("CaseFolding.txt")) {
    if (fields[1] == "C" || fields[1] == "S") {
      folding[static_cast<char32_t>(std::stoul(fields[0], nullptr, 16))] = Parse(fields[2])[0];
    }
  }
  ASSERT_GT(folding.size(), 1000u);
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const auto found = folding.find(c);
    ASSERT_EQ(unicode::SimpleFold(c), found == folding.end() ? c : found->second)
        << "U+" << std::hex << static_cast<unsigned>(c);
  }
}

TEST(UnicodeFiles, TablesNameTheVersionOfTheFiles) {
  std::ifstream file(std::string(FENLOW_UNICODE_DATA_DIR) + "/CaseFolding.txt");
  std::string first;
  std::getline(file, first);
  EXPECT_NE(first.find(std::string("-") + unicode::kUnicodeVersion + ".txt"), std::string::npos)
      << first;
}

}  // namespace
}  // namespace fenlow::edits
