#pragma once

#include "model/RandomSource.h"

#include <deque>
#include <memory>

// A random source for tests: returns queued numbers (each taken modulo the
// asked range, so a script can never fall outside it), then zeros.
class ScriptedRandomSource : public RandomSource {
public:
    void queue(std::initializer_list<int> numbers);
    void seedFromClock() override { ++seeds; }
    int below(int count) override;

    int seeds = 0;
    std::deque<int> asked; // the count of every call, in order

private:
    std::deque<int> m_numbers;
};

// Installs a ScriptedRandomSource for the lifetime of the guard.
class ScriptedRandom {
public:
    ScriptedRandom();
    ~ScriptedRandom();
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;
    ScriptedRandomSource* operator->() { return m_source; }

private:
    ScriptedRandomSource* m_source;
    std::unique_ptr<RandomSource> m_previous;
};
