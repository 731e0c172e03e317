#include "ScriptedRandomSource.h"

void ScriptedRandomSource::queue(std::initializer_list<int> numbers) {
    m_numbers.insert(m_numbers.end(), numbers.begin(), numbers.end());
}

int ScriptedRandomSource::below(int count) {
    asked.push_back(count);
    if (m_numbers.empty() || count <= 0)
        return 0;
    const int number = m_numbers.front();
    m_numbers.pop_front();
    return number % count;
}

ScriptedRandom::ScriptedRandom() {
    auto source = std::make_unique<ScriptedRandomSource>();
    m_source = source.get();
    m_previous = setRandomSource(std::move(source));
}

ScriptedRandom::~ScriptedRandom() {
    setRandomSource(std::move(m_previous));
}
