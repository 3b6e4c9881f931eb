// Fuzz entry of the binary property exchange: any bytes loaded as the test tree through a
// framework archive. Built for Windows only (the exchange sits on the framework's archive);
// the tests run it over seeds and fixed mutations, the Wine fuzz runner for a bounded time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane::fuzz {

// False when a property that must hold did not: every object the load created is freed, and
// a tree that loaded stores again into bytes that load and store to the same bytes. A
// refusal or the archive's own exception on damaged bytes is a clean answer.
bool ArchiveExchangeEntry(const uint8_t* data, size_t size);

// True when the bytes load as a whole tree (tests use it to see both outcomes are reached).
bool ArchiveExchangeLoads(const uint8_t* data, size_t size);

// The sample tree stored, and the same without children, blob and text, as seeds.
std::vector<std::vector<uint8_t>> ArchiveExchangeSeeds();

}  // namespace orvane::fuzz
