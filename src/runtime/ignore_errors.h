#pragma once
// Runs one statement and drops its run-time error, if any: the statement is abandoned where it
// failed, whatever it had not stored keeps its old value, and the caller goes on with the next.
// Only run-time errors are dropped; anything else is a bug and goes on up.
#include <utility>

#include "runtime/runtime_error.h"

namespace quarvel {

template <typename Statement>
bool IgnoreErrors(Statement&& statement) {
  try {
    std::forward<Statement>(statement)();
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

}  // namespace quarvel
