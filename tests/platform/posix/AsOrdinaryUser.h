#pragma once
// Runs a check in a child process as an ordinary user (nobody when the tests
// run as root), so that what a test made unreadable is unreadable in CI too.

#include <functional>
#include <string>

namespace testing_support {

// The text the check returned, or "failed: ..." when it could not run.
std::string AsOrdinaryUser(const std::function<std::string()>& check);

}  // namespace testing_support
