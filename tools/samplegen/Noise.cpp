#include "tools/samplegen/Noise.h"

#include <algorithm>
#include <cmath>

std::uint64_t Random::next() {
    // splitmix64
    std::uint64_t z = (m_nState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::unit() {
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

namespace {

double latticeValue(std::int64_t x, std::int64_t y, std::uint32_t nSeed) {
    std::uint64_t h = static_cast<std::uint64_t>(x) * 0x8DA6B343u +
                      static_cast<std::uint64_t>(y) * 0xD8163841u + nSeed * 0xCB1AB31Fu;
    h = (h ^ (h >> 13)) * 0x5BD1E995u;
    h ^= h >> 15;
    return static_cast<double>(h & 0xFFFFFF) / 16777215.0;
}

double fade(double t) {
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double valueNoise(double x, double y, std::uint32_t nSeed) {
    const double dx = std::floor(x);
    const double dy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(dx);
    const auto iy = static_cast<std::int64_t>(dy);
    const double tx = fade(x - dx);
    const double ty = fade(y - dy);
    const double a = latticeValue(ix, iy, nSeed);
    const double b = latticeValue(ix + 1, iy, nSeed);
    const double c = latticeValue(ix, iy + 1, nSeed);
    const double d = latticeValue(ix + 1, iy + 1, nSeed);
    return mix(mix(a, b, tx), mix(c, d, tx), ty);
}

double fractalNoise(double x, double y, std::uint32_t nSeed, int nOctaves) {
    double dSum = 0.0;
    double dAmplitude = 0.5;
    double dNorm = 0.0;
    for (int i = 0; i < nOctaves; ++i) {
        dSum += dAmplitude * valueNoise(x, y, nSeed + static_cast<std::uint32_t>(i) * 101u);
        dNorm += dAmplitude;
        x = x * 2.03 + 17.1;
        y = y * 2.03 + 5.7;
        dAmplitude *= 0.5;
    }
    return dSum / dNorm;
}

double smoothStep(double dEdge0, double dEdge1, double x) {
    const double t = std::clamp((x - dEdge0) / (dEdge1 - dEdge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

double mix(double a, double b, double t) {
    return a + (b - a) * t;
}
