#pragma once
// A clock scripted reading by reading, and the error number a statement raises.
#include <deque>
#include <string>

#include "platform/clock.h"
#include "runtime/runtime_error.h"
#include "tests/support/temp_folder.h"

namespace quarvel::testing {

// Gives a scripted time for each reading in turn, then keeps the last one.
class ScriptedClock final : public Clock {
 public:
  explicit ScriptedClock(std::deque<TimeOfDay> readings) : readings_(std::move(readings)) {}
  TimeOfDay Now() override {
    ++taken_;
    const TimeOfDay t = readings_.front();
    if (readings_.size() > 1) readings_.pop_front();
    return t;
  }
  int taken() const { return taken_; }

 private:
  std::deque<TimeOfDay> readings_;
  int taken_ = 0;
};

// The run-time error's number a statement raises, or 0; its report, or "" when it raises none.
template <typename Statement>
int ErrorOf(Statement&& statement) {
  try {
    statement();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}
template <typename Statement>
std::string ReportOf(Statement&& statement) {
  try {
    statement();
  } catch (const RuntimeError& e) {
    return e.what();
  }
  return "";
}

}  // namespace quarvel::testing
