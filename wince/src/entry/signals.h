// The host's requests to end the program: SIGTERM (logout, kill, a service manager), SIGINT
// and SIGHUP close the windows as their close buttons would, so the program saves what it
// keeps and ends normally; a second one while that runs ends the process at once.
#pragma once

namespace wince {

// Call once, before the program starts.
void CloseOnSignals();

}  // namespace wince
