#pragma once

#include <cstdint>

// Deterministic randomness for the sample artwork: the same seed draws the
// same picture on every machine and in every build.
class Random {
public:
    explicit Random(std::uint64_t nSeed) : m_nState(nSeed) {}
    std::uint64_t next();
    // Uniform in [0, 1).
    double unit();
    double range(double dLow, double dHigh) { return dLow + (dHigh - dLow) * unit(); }

private:
    std::uint64_t m_nState;
};

// Smooth value noise in [0, 1] and its fractal sum over octaves.
double valueNoise(double x, double y, std::uint32_t nSeed);
double fractalNoise(double x, double y, std::uint32_t nSeed, int nOctaves);

double smoothStep(double dEdge0, double dEdge1, double x);
double mix(double a, double b, double t);
