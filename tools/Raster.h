#pragma once

#include <QImage>

#include <cstdint>

// The committed images are regenerated from this tool and diffed byte for
// byte, so randomness comes from this fixed-seed generator rather than from
// std:: distributions, whose output differs between standard libraries.
class Rng {
public:
    explicit Rng(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int range(int lo, int hi) { return lo + int(next() % std::uint64_t(hi - lo + 1)); }
    bool chance(double p) { return uniform() < p; }

private:
    std::uint64_t m_state;
};

// Per-pixel white noise in [-1, 1]; stateless so passes can sample pixels in
// any order and still agree.
float hashNoise(int x, int y, std::uint32_t seed);

// Smooth value noise in [0, 1] with one lattice cell per unit of x and y.
float valueNoise(float x, float y, std::uint32_t seed);

// Sum of `octaves` value-noise layers, each twice as fine and half as strong.
float fractalNoise(float x, float y, int octaves, std::uint32_t seed);

// Three box passes approximate a Gaussian closely enough for soft shadows.
// Pixels outside the image count as transparent, so shadows fade at borders.
void blurPremultiplied(QImage& image, int radius);

// Averages each 2x2 block; the board is drawn at twice the output size and
// this is what turns its hard vector edges into camera-like ones.
QImage halveImage(const QImage& image);
