// Retrying a clipboard primitive while another program holds the clipboard.
#pragma once

#include <chrono>
#include <exception>
#include <new>

#include "platform/clipboard_primitives.h"
#include "platform/types.h"

namespace fenlow::platform {

// Runs `attempt` until it succeeds or `maxAttempts` have failed; true on
// success. Attempt k + 1 waits until `spacing` * k after the first, on the
// clipboard's clock, so a pause that lasts a whole timer tick is made up by
// the attempts after it. A want of memory gives up at once: it is no hold
// that another program ends.
template <typename Attempt>
bool RetryWhileHeld(ClipboardPrimitives& clipboard, Attempt&& attempt, int maxAttempts,
                    std::chrono::milliseconds spacing) {
  const auto start = clipboard.Now();
  for (int attempts = 1;; ++attempts) {
    try {
      attempt();
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    } catch (const OutOfMemory&) {
      return false;
    } catch (const std::exception&) {
      if (attempts >= maxAttempts) return false;
    }
    clipboard.PauseUntil(start + attempts * spacing);
  }
}

}  // namespace fenlow::platform
