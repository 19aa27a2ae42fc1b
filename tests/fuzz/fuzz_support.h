#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Shared by the libFuzzer targets. A broken property is reported like a crash, so the fuzzer keeps
// the input that broke it.
namespace tarvel::fuzz {

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

inline void require(bool holds, const char* what) {
    if (!holds)
        fail(what);
}

} // namespace tarvel::fuzz
