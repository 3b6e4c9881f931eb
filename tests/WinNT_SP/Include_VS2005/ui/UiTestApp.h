// The application object that the framework's dialogs and modal loops expect in the tests.
#pragma once

namespace orvane::test {

// Initialises the framework's application state once.
void EnsureUiTestApp();

}  // namespace orvane::test
