// The engine's own filter-graph event: a filter reports an asynchronous failure with it, and
// the graph event thread turns it into the player's error message. Parameter 1 is the result
// code, parameter 2 a wide text that the sending filter keeps alive.
#pragma once

constexpr long QVR_ERROR_DS_EVENT = 0x46E;

// Longest wait for the media runtime to confirm an open, stop or close (milliseconds).
constexpr unsigned long QVR_RUNTIME_WAIT_MS = 15000;
