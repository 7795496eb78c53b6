#pragma once
// What every fuzz program shares: an offscreen Qt application made once before the first
// input, the input as the bytes a file read would give, and a check that stops the run.
#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// The input as its own QByteArray, as QFile::readAll would hand it over.
QByteArray bytes(const std::uint8_t* data, std::size_t size);

// A broken promise of the code under test: prints `what` and aborts, so libFuzzer keeps the
// input as a crash.
[[noreturn]] void broken(const char* what);
inline void check(bool ok, const char* what) {
    if (!ok) broken(what);
}

} // namespace fuzz
