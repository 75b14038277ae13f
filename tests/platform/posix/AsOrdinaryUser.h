#pragma once
// Runs a check in a child process as an ordinary user (nobody when the tests
// run as root), so that what a test made unreadable is unreadable to the
// check in CI too.

#include <functional>
#include <string>

namespace testing_support {

// The text the check returned; false when the child could not run it as an
// ordinary user or failed (strResult then says why).
bool AsOrdinaryUser(const std::function<std::string()>& check, std::string& strResult);

}  // namespace testing_support
