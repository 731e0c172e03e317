#include "model/RandomSource.h"

#include <chrono>
#include <utility>

ClockSeededRandomSource::ClockSeededRandomSource(Clock clock)
    : m_clock(std::move(clock))
    , m_engine(m_clock()) {}

ClockSeededRandomSource::Clock ClockSeededRandomSource::systemClock() {
    return [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    };
}

void ClockSeededRandomSource::seedFromClock() {
    m_engine.seed(m_clock());
}

int ClockSeededRandomSource::below(int count) {
    if (count <= 1)
        return 0;
    std::uniform_int_distribution<int> distribution(0, count - 1);
    return distribution(m_engine);
}

namespace {
std::unique_ptr<RandomSource>& currentSource() {
    static std::unique_ptr<RandomSource> source = std::make_unique<ClockSeededRandomSource>();
    return source;
}
} // namespace

RandomSource& randomSource() {
    return *currentSource();
}

std::unique_ptr<RandomSource> setRandomSource(std::unique_ptr<RandomSource> source) {
    return std::exchange(currentSource(), std::move(source));
}
