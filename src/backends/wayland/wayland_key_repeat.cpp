#include "backends/wayland/wayland_key_repeat.h"

#include <algorithm>

namespace quarvel {

void KeyRepeat::SetRate(int32_t perSecond, int32_t delayMs) {
  repeats_ = perSecond > 0;
  if (!repeats_) held_.reset();
  intervalMs_ = std::max(1, 1000 / std::max(perSecond, 1));
  delayMs_ = std::max(delayMs, 0);
}

void KeyRepeat::Press(uint32_t key, int64_t nowMs) {
  if (!repeats_) return;
  held_ = key;
  dueMs_ = nowMs + delayMs_;
}

void KeyRepeat::Release(uint32_t key) {
  if (held_ == key) held_.reset();
}

int64_t KeyRepeat::NextDueMs() const {
  return held_ ? dueMs_ : TimerTable::kNever;
}

std::optional<uint32_t> KeyRepeat::TakeDue(int64_t nowMs) {
  if (!held_ || nowMs < dueMs_) return std::nullopt;
  dueMs_ += intervalMs_;
  if (dueMs_ <= nowMs) dueMs_ = nowMs + intervalMs_;
  return held_;
}

}  // namespace quarvel
