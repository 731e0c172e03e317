#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <random>

// Every draw of the tournament (participant shuffle, pool draw, knockout
// draw) takes its numbers from the current random source, so a test can put
// a scripted one in its place.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Starts a fresh sequence from the clock, as every draw does first.
    virtual void seedFromClock() = 0;
    // A number drawn uniformly from 0 to count - 1; count must be positive.
    virtual int below(int count) = 0;
};

// The production source: a Mersenne twister seeded from a replaceable clock.
class ClockSeededRandomSource : public RandomSource {
public:
    using Clock = std::function<std::uint64_t()>;
    explicit ClockSeededRandomSource(Clock clock = systemClock());

    void seedFromClock() override;
    int below(int count) override;

    static Clock systemClock();

private:
    Clock m_clock;
    std::mt19937_64 m_engine;
};

RandomSource& randomSource();
// Installs a new source and returns the previous one.
std::unique_ptr<RandomSource> setRandomSource(std::unique_ptr<RandomSource> source);
