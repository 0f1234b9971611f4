// Retrying a clipboard primitive while another program holds the clipboard.
#pragma once

#include <chrono>
#include <exception>

#include "platform/clipboard_primitives.h"

namespace fenlow::platform {

// About a second in all on a clipboard that another program keeps open:
// attempt k + 1 waits until kClipboardAttemptSpacing * k after the first, on
// the clipboard's clock, so a pause that lasts a whole timer tick is made up
// by the attempts after it.
inline constexpr int kMaxClipboardAttempts = 1000;
inline constexpr std::chrono::milliseconds kClipboardAttemptSpacing{1};

// Runs `attempt` until it succeeds or kMaxClipboardAttempts have failed; true
// on success.
template <typename Attempt>
bool RetryWhileHeld(ClipboardPrimitives& clipboard, Attempt&& attempt) {
  const auto start = clipboard.Now();
  for (int attempts = 1;; ++attempts) {
    try {
      attempt();
      return true;
    } catch (const std::exception&) {
      if (attempts >= kMaxClipboardAttempts) return false;
    }
    clipboard.PauseUntil(start + attempts * kClipboardAttemptSpacing);
  }
}

}  // namespace fenlow::platform
