#include "dialogs/recipes_layout.h"

namespace fenlow {

using namespace recipes_form;
using platform::ControlKind;
using platform::ControlSpec;

namespace {

platform::FormSpec Dialog(int width, int height) {
  platform::FormSpec spec;
  spec.name = kName;
  spec.caption = u"Fenlow Recipes";
  spec.clientWidthTwips = width;
  spec.clientHeightTwips = height;
  spec.background = platform::kButtonFace;
  spec.font = platform::FontSpec{u"Segoe UI", 9.0, false};
  return spec;
}

// The controls in tab order: each caption just before its box, so that its
// underlined letter with Alt moves into the box.
class Controls {
 public:
  explicit Controls(platform::FormSpec& spec) : spec_(spec) {}
  // A text box of several lines (lists, one item a line) scrolls.
  Controls& Add(std::string name, ControlKind kind, std::u16string caption,
                platform::TwipsRect rect, bool scrolls = false) {
    ControlSpec control;
    control.name = std::move(name);
    control.kind = kind;
    control.caption = std::move(caption);
    control.rect = rect;
    control.tabIndex = static_cast<int>(spec_.controls.size());
    control.verticalScroll = scrolls;
    spec_.controls.push_back(std::move(control));
    return *this;
  }

 private:
  platform::FormSpec& spec_;
};

constexpr int kButtonHeight = 360;
constexpr int kBoxHeight = 315;
constexpr int kLabelHeight = 255;  // a box under a label starts 270 below it

void AddRecipeList(Controls& controls) {
  controls.Add("Label1", ControlKind::Label, u"&Recipes:", {120, 120, 3000, kLabelHeight})
      .Add(kRecipeList, ControlKind::ListBox, u"", {120, 390, 3000, 2700})
      .Add(kNewRecipe, ControlKind::PushButton, u"&New", {120, 3180, 960, kButtonHeight})
      .Add(kDuplicateRecipe, ControlKind::PushButton, u"Dup&licate",
           {1140, 3180, 960, kButtonHeight})
      .Add(kDeleteRecipe, ControlKind::PushButton, u"Dele&te", {2160, 3180, 960, kButtonHeight})
      .Add(kRecipeUp, ControlKind::PushButton, u"Move &up", {120, 3600, 1470, kButtonHeight})
      .Add(kRecipeDown, ControlKind::PushButton, u"Move &down", {1650, 3600, 1470, kButtonHeight});
}

void AddRecipeDetails(Controls& controls) {
  controls.Add("Label2", ControlKind::Label, u"Na&me:", {3300, 150, 840, kLabelHeight})
      .Add(kRecipeName, ControlKind::TextBox, u"", {4200, 120, 2700, kBoxHeight})
      .Add(kNameProblem, ControlKind::Label, u"", {7020, 150, 4260, kLabelHeight})
      .Add("Label3", ControlKind::Label, u"&Hotkey:", {3300, 540, 840, kLabelHeight})
      .Add(kHotkey, ControlKind::HotkeyBox, u"", {4200, 510, 2700, kBoxHeight})
      .Add("Label4", ControlKind::Label, u"M&ode:", {7020, 540, 660, kLabelHeight})
      .Add(kMode, ControlKind::ComboList, u"", {7740, 510, 3540, kBoxHeight})
      .Add(kHotkeyProblem, ControlKind::Label, u"", {4200, 870, 7080, kLabelHeight});
}

void AddSteps(Controls& controls) {
  controls.Add("Label5", ControlKind::Label, u"&Steps:", {3300, 1200, 4500, kLabelHeight})
      .Add(kStepList, ControlKind::ListBox, u"", {3300, 1470, 4500, 1900})
      .Add("Label8", ControlKind::Label, u"Ed&it to add:", {7920, 1200, 3360, kLabelHeight})
      .Add(kEditToAdd, ControlKind::ComboList, u"", {7920, 1470, 3360, kBoxHeight})
      .Add(kAddStep, ControlKind::PushButton, u"&Add", {7920, 1860, 1620, kButtonHeight})
      .Add(kRemoveStep, ControlKind::PushButton, u"Remo&ve", {9660, 1860, 1620, kButtonHeight})
      .Add(kStepUp, ControlKind::PushButton, u"Move u&p", {7920, 2280, 1620, kButtonHeight})
      .Add(kStepDown, ControlKind::PushButton, u"Move do&wn", {9660, 2280, 1620, kButtonHeight})
      .Add(kParam1Label, ControlKind::Label, u"", {3300, 3480, 3900, kLabelHeight})
      .Add(kParam1, ControlKind::TextBox, u"", {3300, 3750, 3900, 660}, true)
      .Add(kParam2Label, ControlKind::Label, u"", {7380, 3480, 3900, kLabelHeight})
      .Add(kParam2, ControlKind::TextBox, u"", {7380, 3750, 3900, 660}, true)
      .Add(kEachLine, ControlKind::CheckBox, u"&Each line", {3300, 4440, 1980, 300})
      .Add(kStepProblem, ControlKind::Label, u"", {5400, 4470, 5880, kLabelHeight});
}

void AddPreview(Controls& controls) {
  controls.Add("Label9", ControlKind::Label, u"&Clipboard now:", {120, 4860, 5520, kLabelHeight})
      .Add(kBefore, ControlKind::RichTextBox, u"", {120, 5130, 5520, 2400})
      .Add("Label15", ControlKind::Label, u"Recipe &gives:", {5760, 4860, 5520, kLabelHeight})
      .Add(kAfter, ControlKind::RichTextBox, u"", {5760, 5130, 5520, 2400})
      .Add(kSummary, ControlKind::Label, u"", {120, 7590, 11160, kLabelHeight});
}

}  // namespace

platform::FormSpec RecipesLayout() {
  platform::FormSpec spec = Dialog(11400, 8445);
  spec.cancelControl = kCancel;
  Controls controls(spec);
  AddRecipeList(controls);
  AddRecipeDetails(controls);
  AddSteps(controls);
  AddPreview(controls);
  controls.Add(kOpenFolder, ControlKind::PushButton, u"Open &folder", {120, 7920, 1800, 405})
      .Add(kOk, ControlKind::PushButton, u"OK", {7800, 7920, 1680, 405})
      .Add(kCancel, ControlKind::PushButton, u"Cancel", {9600, 7920, 1680, 405});
  return spec;
}

platform::FormSpec UnreadableRecipesLayout() {
  platform::FormSpec spec = Dialog(7200, 1800);
  spec.cancelControl = kClose;
  Controls controls(spec);
  controls.Add(kUnreadable, ControlKind::Label, u"", {120, 120, 6960, 1020})
      .Add(kOpenFolder, ControlKind::PushButton, u"Open &folder", {120, 1275, 1800, 405})
      .Add(kClose, ControlKind::PushButton, u"Close", {5280, 1275, 1800, 405});
  return spec;
}

}  // namespace fenlow
