// Writes the window's background tile: 96 x 96 pixels of grey marble in a
// 256-colour palette. The noise lives on a torus whose lattice periods divide
// 96, so copies of the tile laid side by side show no seams. The same seed
// gives the same picture; SCALE 2 draws the same marble at twice the pixels,
// for screens at twice the density.   make-marble OUT.png [SEED [SCALE]]

#include <QColor>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Size = 96;
constexpr double Pi = 3.14159265358979323846;

uint64_t SplitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Gradient noise with `period` lattice cells across the tile, wrapping at the edges.
class TorusNoise {
  public:
    TorusNoise(int period, uint64_t& seed) : period(period), angle(period * period) {
        for (double& a : angle)
            a = 2.0 * Pi * double(SplitMix(seed) >> 11) / double(1ull << 53);
    }

    // x and y in tile pixels; the answer lies roughly in -0.7 .. 0.7.
    double At(double x, double y) const {
        const double fx = x * period / Size, fy = y * period / Size;
        const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
        const double u = fx - x0, v = fy - y0;
        const double n00 = Dot(x0, y0, u, v), n10 = Dot(x0 + 1, y0, u - 1, v);
        const double n01 = Dot(x0, y0 + 1, u, v - 1), n11 = Dot(x0 + 1, y0 + 1, u - 1, v - 1);
        const double su = Fade(u), sv = Fade(v);
        return (n00 + su * (n10 - n00)) +
               sv * ((n01 + su * (n11 - n01)) - (n00 + su * (n10 - n00)));
    }

  private:
    static double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

    double Dot(int i, int j, double dx, double dy) const {
        const double a = angle[Wrap(j) * period + Wrap(i)];
        return std::cos(a) * dx + std::sin(a) * dy;
    }
    int Wrap(int i) const { return ((i % period) + period) % period; }

    int period;
    std::vector<double> angle;
};

// Sum of octaves with lattice periods 3, 6, 12, 24 (cells of 32 down to 4 pixels).
class Turbulence {
  public:
    explicit Turbulence(uint64_t& seed) {
        for (int period = 3; period <= 24; period *= 2)
            octaves.emplace_back(period, seed);
    }
    double At(double x, double y, bool folded) const {
        double sum = 0.0, weight = 1.0;
        for (const TorusNoise& n : octaves) {
            const double v = n.At(x, y);
            sum += weight * (folded ? std::abs(v) : v);
            weight *= 0.5;
        }
        return sum;
    }

  private:
    std::vector<TorusNoise> octaves;
};

// Brightness 0..1 per pixel: a cloudy ground crossed by dark, bent veins. Both
// vein phases advance by whole turns across and down the tile, so they wrap too.
std::vector<double> MarbleLight(uint64_t seed, int scale) {
    const Turbulence veinsBend(seed), cloud(seed);
    const int side = Size * scale;
    std::vector<double> light(side * side);
    for (int py = 0; py < side; ++py)
        for (int px = 0; px < side; ++px) {
            const double x = double(px) / scale, y = double(py) / scale;
            const double bend = veinsBend.At(x, y, true);
            const double phase = 2.0 * Pi * (x + y) / Size + 4.0 * bend;
            const double cross = 2.0 * Pi * (2.0 * x - y) / Size + 5.0 * bend;
            const double vein = std::pow(1.0 - std::abs(std::sin(phase)), 5.0) +
                                0.4 * std::pow(1.0 - std::abs(std::sin(cross)), 9.0);
            const double ground = 0.62 + 0.22 * cloud.At(x, y, false);
            light[py * side + px] = std::clamp(ground - 0.38 * vein, 0.0, 1.0);
        }
    return light;
}

// A light blur, wrapping round the edges, softens the veins and takes out
// single dark pixels where two veins just touch.
// The blur's reach is a tile pixel at any scale.
std::vector<double> Soften(const std::vector<double>& light, int scale) {
    const int side = Size * scale;
    std::vector<double> soft(side * side);
    const auto at = [&](int x, int y) {
        return light[((y + side) % side) * side + (x + side) % side];
    };
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            double sum = 0.0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int weight = (2 - std::abs(dx)) * (2 - std::abs(dy));
                    sum += weight * at(x + dx * scale, y + dy * scale);
                }
            soft[y * side + x] = sum / 16.0;
        }
    return soft;
}

// Stretches the brightness over a palette of 256 greys from slate to pale stone,
// with a faint cool cast.
QImage PaletteImage(const std::vector<double>& light, int scale) {
    const int side = Size * scale;
    QImage tile(side, side, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i) {
        const double g = 78.0 + 100.0 * i / 255.0;
        palette.append(qRgb(int(g), int(g + 1.0), int(g + 4.0)));
    }
    tile.setColorTable(palette);
    const auto [low, high] = std::minmax_element(light.begin(), light.end());
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double t = (light[y * side + x] - *low) / (*high - *low);
            tile.setPixel(x, y, uint(std::lround(255.0 * t)));
        }
    return tile;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: make-marble OUT.png [SEED [SCALE]]\n");
        return 2;
    }
    const uint64_t seed = argc >= 3 ? std::strtoull(argv[2], nullptr, 10) : 1994;
    const int scale = argc == 4 ? std::atoi(argv[3]) : 1;
    if (scale < 1 || scale > 4) {
        std::fprintf(stderr, "make-marble: SCALE is 1 to 4\n");
        return 2;
    }
    const QImage tile = PaletteImage(Soften(MarbleLight(seed, scale), scale), scale);
    if (!tile.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "make-marble: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
