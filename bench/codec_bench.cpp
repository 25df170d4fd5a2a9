// Throughput of the settings-file text codec on large item texts.
#include "codec.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

std::string RandomBytes(std::size_t size) {
    std::mt19937 rng(42);
    std::string bytes(size, '\0');
    for (auto& b : bytes) b = static_cast<char>(rng() & 0xFF);
    return bytes;
}

void BM_EncodeText(benchmark::State& state) {
    const std::string bytes = RandomBytes(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string text = swl::EncodeText(bytes);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

// Bytes processed counts the decoded bytes, so both directions compare on the
// same amount of text.
void BM_DecodeText(benchmark::State& state) {
    const std::string bytes = RandomBytes(static_cast<std::size_t>(state.range(0)));
    const std::string text = swl::EncodeText(bytes);
    for (auto _ : state) {
        std::string decoded = swl::DecodeText(text);
        benchmark::DoNotOptimize(decoded.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

BENCHMARK(BM_EncodeText)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeText)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
