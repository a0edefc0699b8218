#include "RandomDraw.h"

#include <algorithm>
#include <chrono>
#include <vector>

RandomDraw::RandomDraw() = default;

QVector<qint64> RandomDraw::draw(const QVector<qint64>& candidates, int count)
{
    const auto clock = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_engine.seed(m_fixedSeed ? *m_fixedSeed : std::uint32_t(clock ^ (clock >> 32)));

    const int candidateCount = candidates.size();
    count = std::clamp(count, 0, candidateCount); // more than all of them could never finish
    QVector<qint64> result;
    result.reserve(count);
    if (count == 0)
        return result;

    // The duplicate test looks a flag up instead of scanning every earlier draw: the candidates
    // are distinct, so "candidate r was drawn before" is "its value is in the result already".
    std::vector<bool> drawn(std::size_t(candidateCount), false);
    std::uniform_int_distribution<int> pick(0, candidateCount - 1);
    while (result.size() < count) {
        const int r = pick(m_engine);
        if (drawn[std::size_t(r)])
            continue;
        drawn[std::size_t(r)] = true;
        result.append(candidates.at(r));
    }
    return result;
}
