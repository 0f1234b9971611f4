#include "dialogs/recipe_preview.h"

#include <algorithm>
#include <exception>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"

namespace fenlow {
namespace {

// How far back from the limit a line break is looked for.
constexpr std::size_t kLineBreakSearch = 4096;

// The previewed part: the whole text when short enough, else its beginning,
// ending after a line break near the limit, never inside a surrogate pair.
std::u16string_view PreviewedPart(std::u16string_view text) {
  if (text.size() <= kPreviewLength) return text;
  std::size_t end = kPreviewLength;
  const std::size_t lineBreak = text.rfind(u'\n', end - 1);
  if (lineBreak != std::u16string_view::npos && lineBreak + kLineBreakSearch >= end) {
    end = lineBreak + 1;
  } else if ((text[end - 1] & 0xFC00) == 0xD800) {  // a high surrogate: keep the pair whole
    --end;
  }
  return text.substr(0, end);
}

std::u16string Counted(std::size_t count, std::u16string_view one, std::u16string_view many) {
  std::u16string text = WithThousands(count);
  text.append(u" ");
  text.append(count == 1 ? one : many);
  return text;
}

std::size_t LineBreaks(std::u16string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
}

std::size_t MarkedLength(const std::vector<platform::MarkedRange>& marks) {
  std::size_t length = 0;
  for (const platform::MarkedRange& mark : marks) length += mark.length;
  return length;
}

// "1,204 characters removed, 38 line breaks removed", or "No change."
std::u16string ChangeSummary(const Preview& preview) {
  if (preview.before == preview.after) return u"No change.";
  std::u16string summary;
  const std::size_t before = preview.before.size();
  const std::size_t after = preview.after.size();
  if (after < before) {
    summary = Counted(before - after, u"character removed", u"characters removed");
  } else if (after > before) {
    summary = Counted(after - before, u"character added", u"characters added");
  } else {
    summary =
        Counted(MarkedLength(preview.marks.removed), u"character changed", u"characters changed");
  }
  const std::size_t breaksBefore = LineBreaks(preview.before);
  const std::size_t breaksAfter = LineBreaks(preview.after);
  if (breaksAfter != breaksBefore) {
    summary.append(u", ");
    summary.append(
        breaksAfter < breaksBefore
            ? Counted(breaksBefore - breaksAfter, u"line break removed", u"line breaks removed")
            : Counted(breaksAfter - breaksBefore, u"line break added", u"line breaks added"));
  }
  summary.append(u".");
  return summary;
}

std::u16string StepName(std::size_t index, const recipes::RecipeStep& step) {
  std::u16string name = u"Step ";
  name.append(WithThousands(index + 1));
  name.append(u" (");
  name.append(edits::Utf8ToUtf16(step.edit));
  name.append(u")");
  return name;
}

std::u16string FailureText(std::u16string_view stepName, const std::exception& failure) {
  std::u16string text(stepName);
  text.append(u" fails: ");
  text.append(edits::Utf8ToUtf16(failure.what()));
  return text;
}

}  // namespace

std::u16string WithThousands(std::size_t number) {
  std::u16string digits;
  int inGroup = 0;
  do {
    if (inGroup++ == 3) {
      digits.push_back(u',');
      inGroup = 1;
    }
    digits.push_back(static_cast<char16_t>(u'0' + number % 10));
    number /= 10;
  } while (number > 0);
  std::reverse(digits.begin(), digits.end());
  return digits;
}

RunnableStep ToRunnable(const recipes::RecipeStep& step) {
  const std::optional<std::string> problem =
      edits::StepProblem(step.edit, step.param1.value_or(""), step.param2.value_or(""));
  if (problem) return {std::nullopt, edits::Utf8ToUtf16(*problem)};
  edits::EditStep runnable;
  runnable.edit = edits::FindEdit(edits::EveryEdit(), edits::Utf8ToUtf16(step.edit));
  runnable.param1 = edits::Utf8ToUtf16(step.param1.value_or(""));
  runnable.param2 = edits::Utf8ToUtf16(step.param2.value_or(""));
  runnable.eachLine = step.eachLine;
  return {runnable, {}};
}

// Step by step, so that a failure names its step.
Preview MakePreview(std::u16string_view clipboard, std::span<const recipes::RecipeStep> steps,
                    const std::function<bool()>& cancelled) {
  Preview preview;
  const std::u16string_view part = PreviewedPart(clipboard);
  preview.before = std::u16string(part);
  std::u16string text = preview.before;
  for (std::size_t index = 0; index < steps.size(); ++index) {
    if (cancelled()) return preview;
    const std::u16string name = StepName(index, steps[index]);
    const RunnableStep runnable = ToRunnable(steps[index]);
    try {
      if (!runnable.step) {
        throw edits::EditFailure(edits::Utf16ToUtf8(runnable.problem));
      }
      text = edits::ApplyStepsToUtf16(std::span(&*runnable.step, 1), std::move(text));
    } catch (const std::exception& failure) {
      preview.failed = true;
      preview.after = FailureText(name, failure);
      preview.summary = name;
      preview.summary.append(u" fails: the recipe gives no result.");
      return preview;
    }
  }
  preview.after = std::move(text);
  if (cancelled()) return preview;
  preview.marks = MarkChanges(preview.before, preview.after, cancelled);
  preview.summary = ChangeSummary(preview);
  if (part.size() < clipboard.size()) {
    std::u16string note = u" (The first ";
    note.append(WithThousands(part.size()));
    note.append(u" of ");
    note.append(WithThousands(clipboard.size()));
    note.append(u" characters.)");
    preview.summary.append(note);
  }
  return preview;
}

}  // namespace fenlow
