#include "platform/sim/simulated_input.h"

#include <utility>

namespace fenlow::platform::sim {

namespace {

std::string StrokeName(const KeyStroke& stroke) {
  std::string name;
  switch (stroke.key) {
    case key::kControl:
      name = "Ctrl";
      break;
    case key::kAlt:
      name = "Alt";
      break;
    case key::kShift:
      name = "Shift";
      break;
    case key::kNeutral:
      name = "Neutral";
      break;
    default:
      name = std::string(1, static_cast<char>(stroke.key));
  }
  return name + (stroke.up ? "-" : "+");
}

}  // namespace

bool SimulatedInput::IsKeyDown(std::uint8_t virtualKey) {
  return sentDown_.count(virtualKey) != 0 ||
         (held_.count(virtualKey) != 0 && clock_.Now() < heldUntil_);
}

std::size_t SimulatedInput::SendKeys(const std::vector<KeyStroke>& strokes) {
  faults_.Enter("SendKeys");
  const std::size_t taken = std::min(strokes.size(), takeOnly_.value_or(strokes.size()));
  takeOnly_.reset();
  std::string call = "SendKeys(";
  for (std::size_t i = 0; i < taken; ++i) {
    call += (i ? " " : "") + StrokeName(strokes[i]);
    Press(strokes[i]);
  }
  log_.Record(call + ")");
  return taken;
}

// Ctrl+C and Ctrl+V reach the program in front, when it takes Fenlow's keys.
void SimulatedInput::Press(const KeyStroke& stroke) {
  sent_.push_back(stroke);
  if (stroke.up) {
    sentDown_.erase(stroke.key);
    return;
  }
  sentDown_.insert(stroke.key);
  SimulatedProgram* program = ProgramInFront();
  if (program == nullptr || program->elevated || !IsKeyDown(key::kControl)) return;
  if (stroke.key == key::kC) Copy(*program);
  if (stroke.key == key::kV) Paste(*program);
}

void SimulatedInput::Copy(SimulatedProgram& program) {
  if (!program.selection.empty()) clipboard_.OtherProgramSetsText(program.selection);
}

void SimulatedInput::Paste(SimulatedProgram& program) {
  auto read = [this, &program] {
    program.pasted += clipboard_.OtherProgramReadsText(program.process);
  };
  switch (program.reading) {
    case Reading::AtOnce:
      messaging_.PostTask(read);
      break;
    case Reading::Never:
      break;
    case Reading::ManagerFirst:
      messaging_.PostTask([this] { clipboard_.OtherProgramReadsText(kClipboardManager); });
      messaging_.PostTaskAfter(std::chrono::milliseconds(50), read);
      break;
    case Reading::Late:
      messaging_.PostTaskAfter(std::chrono::seconds(5), read);
      break;
  }
}

FocusedWindow SimulatedInput::Focused() {
  const WindowHandle window = ui_.ForegroundWindow();
  const auto found = programs_.find(window);
  return {window, found == programs_.end() ? 0 : found->second.focus};
}

std::uint32_t SimulatedInput::ProcessOf(WindowHandle window) {
  const auto found = programs_.find(window);
  return found == programs_.end() ? 0 : found->second.process;
}

bool SimulatedInput::RunsAboveUs(WindowHandle window) {
  faults_.Enter("RunsAboveUs");
  const auto found = programs_.find(window);
  return found != programs_.end() && found->second.elevated;
}

bool SimulatedInput::IsTerminal(WindowHandle window) {
  const auto found = programs_.find(window);
  return found != programs_.end() && found->second.terminal;
}

SimulatedProgram& SimulatedInput::AddProgram(WindowHandle window, SimulatedProgram program) {
  return programs_[window] = std::move(program);
}

void SimulatedInput::HoldKeys(std::vector<std::uint8_t> keys,
                              SimulatedClock::Clock::duration duration) {
  held_ = {keys.begin(), keys.end()};
  heldUntil_ = clock_.Now() + duration;
}

std::vector<std::uint8_t> SimulatedInput::KeysDown() const {
  std::set<std::uint8_t> down = sentDown_;
  if (clock_.Now() < heldUntil_) down.insert(held_.begin(), held_.end());
  return {down.begin(), down.end()};
}

SimulatedProgram* SimulatedInput::ProgramInFront() {
  const auto found = programs_.find(ui_.ForegroundWindow());
  return found == programs_.end() ? nullptr : &found->second;
}

}  // namespace fenlow::platform::sim
