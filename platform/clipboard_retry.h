// Retrying a clipboard primitive while another program holds the clipboard.
#pragma once

#include <chrono>
#include <exception>

#include "platform/clipboard_primitives.h"

namespace fenlow::platform {

// Runs `attempt` until it succeeds or `maxAttempts` have failed; true on
// success. Attempt k + 1 waits until `spacing` * k after the first, on the
// clipboard's clock, so a pause that lasts a whole timer tick is made up by
// the attempts after it.
template <typename Attempt>
bool RetryWhileHeld(ClipboardPrimitives& clipboard, Attempt&& attempt, int maxAttempts,
                    std::chrono::milliseconds spacing) {
  const auto start = clipboard.Now();
  for (int attempts = 1;; ++attempts) {
    try {
      attempt();
      return true;
    } catch (const std::exception&) {
      if (attempts >= maxAttempts) return false;
    }
    clipboard.PauseUntil(start + attempts * spacing);
  }
}

}  // namespace fenlow::platform
