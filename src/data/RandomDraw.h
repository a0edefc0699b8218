#pragma once

#include <QVector>

#include <optional>
#include <random>

// The random order of an exam: values drawn uniformly from a candidate list, a draw that repeats
// an earlier value thrown away and drawn again, until enough values are accepted.
class RandomDraw {
public:
    RandomDraw();

    // Every draw uses this seed instead of the clock: for tests that need one fixed order.
    void setFixedSeed(std::optional<std::uint32_t> seed) { m_fixedSeed = seed; }

    // Reseeds from the clock (or the fixed seed) and draws `count` distinct candidates in random
    // order. `count` is at most the number of candidates, which are distinct.
    QVector<qint64> draw(const QVector<qint64>& candidates, int count);

private:
    std::mt19937 m_engine;
    std::optional<std::uint32_t> m_fixedSeed;
};
