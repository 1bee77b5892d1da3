// Draws the six bitmaps of the animation scene as 24-bit Windows BMP files:
//   back1.bmp    640 × 480  the room behind the system (opaque)
//   m3.bmp       200 × 200  the mass, a steel block on a hook (drawn at 40 %)
//   kabe.bmp     640 × 144  the hatched wall band, the support (drawn 640 × 144 at rest)
//   kabeoku.bmp  640 × 48   the band's darker far side (stretched to the gap above it)
//   bou.bmp        6 × 48   a rod (drawn 6 px wide)
//   k.bmp         64 × 40   exactly one period of the coil spring (drawn 64 px wide)
// Pure black (0, 0, 0) is the transparent colour of the keyed sprites; it appears only
// where a sprite is transparent, and dark shading stops at (8, 8, 8).
//
// Run from the repository root:
//   g++ -std=c++20 -O2 tools/make_bitmaps.cpp -o /tmp/mb && /tmp/mb data

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb operator*(Rgb c, double f) {
    return {c.r * f, c.g * f, c.b * f};
}
Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

constexpr Rgb kTransparent{0, 0, 0};

class Image {
  public:
    Image(int w, int h) : w_(w), h_(h), px_(std::size_t(w) * h, kTransparent) {}
    int width() const { return w_; }
    int height() const { return h_; }

    // A visible pixel: never pure black, which is reserved for transparency.
    void set(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= w_ || y >= h_) {
            return;
        }
        auto clampChannel = [](double v) { return std::clamp(std::round(v), 8.0, 255.0); };
        px_[std::size_t(y) * w_ + x] = {clampChannel(c.r), clampChannel(c.g), clampChannel(c.b)};
    }
    Rgb at(int x, int y) const { return px_[std::size_t(y) * w_ + x]; }

    // Bottom-up rows of blue, green, red, each padded to four bytes.
    bool writeBmp(const std::string& path) const {
        const int rowBytes = (w_ * 3 + 3) / 4 * 4;
        const std::uint32_t dataSize = std::uint32_t(rowBytes) * h_;
        std::vector<std::uint8_t> out;
        auto u16 = [&](std::uint32_t v) {
            out.push_back(v & 0xff);
            out.push_back((v >> 8) & 0xff);
        };
        auto u32 = [&](std::uint32_t v) {
            u16(v & 0xffff);
            u16(v >> 16);
        };
        out.push_back('B');
        out.push_back('M');
        u32(14 + 40 + dataSize);
        u32(0);
        u32(14 + 40);
        u32(40);  // BITMAPINFOHEADER
        u32(std::uint32_t(w_));
        u32(std::uint32_t(h_));
        u16(1);   // planes
        u16(24);  // bits per pixel
        u32(0);   // BI_RGB
        u32(dataSize);
        u32(3780);  // 96 dpi
        u32(3780);
        u32(0);
        u32(0);
        for (int y = h_ - 1; y >= 0; --y) {
            for (int x = 0; x < w_; ++x) {
                const Rgb c = at(x, y);
                out.push_back(std::uint8_t(c.b));
                out.push_back(std::uint8_t(c.g));
                out.push_back(std::uint8_t(c.r));
            }
            for (int pad = w_ * 3; pad < rowBytes; ++pad) {
                out.push_back(0);
            }
        }
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
        return bool(file);
    }

  private:
    int w_, h_;
    std::vector<Rgb> px_;
};

// A lit tube across its width: u in −1..1 from one edge to the other, light from the
// upper left.
double tubeShade(double u) {
    const double n = std::sqrt(std::max(0.0, 1 - u * u));
    const double highlight = std::exp(-std::pow((u + 0.35) / 0.22, 2));
    return 0.35 + 0.55 * n + 0.45 * highlight;
}

// A w × h image whose pixel (x, y) is colourAt(x, y).
template <typename F>
Image painted(int w, int h, F colourAt) {
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            img.set(x, y, colourAt(x, y));
        }
    }
    return img;
}

// The room: a softly lit wall, a dashed line at the mass's rest height (y 384) and a
// dark strip from y 428 under the text line (y 432), clear of the mass at rest (y 420).
Image background() {
    const Rgb top{228, 233, 240}, low{196, 205, 218};
    const Rgb stripTop{58, 66, 82}, stripLow{30, 35, 46};
    return painted(640, 480, [&](int x, int y) {
        const double edge = std::pow(std::abs(x - 319.5) / 320.0, 2);
        if (y >= 428) {
            return mix(stripTop, stripLow, (y - 428) / 51.0);
        } else if (y >= 425) {
            return Rgb{150, 160, 176};
        } else if (y == 384 && x % 14 < 8) {
            return Rgb{160, 172, 190};
        }
        return mix(top, low, y / 425.0) * (1 - 0.06 * edge);
    });
}

bool insideRoundedRect(double x, double y, double l, double t, double r, double b, double rad) {
    const double cx = std::clamp(x, l + rad, r - rad);
    const double cy = std::clamp(y, t + rad, b - rad);
    return std::hypot(x - cx, y - cy) <= rad;
}

// The mass: a blue steel block with bevelled edges, a name plate and a hook on top
// where the lower rod hooks in.
Image mass() {
    Image img(200, 200);
    const Rgb steel{86, 112, 156};
    const double l = 6, t = 26, r = 194, b = 192, rad = 20;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            // Hook: a ring of radius 13 around (100, 15), open at the top where the rod
            // comes in, on a short neck.
            const double ring = std::hypot(px - 100, py - 15);
            const bool gap = std::abs(px - 100) < 3 && py < 15;
            const bool neck = std::abs(px - 100) < 6 && py > 22 && py < t + 2;
            if ((ring <= 13 && ring >= 6 && !gap) || neck) {
                const double u = neck ? (px - 100) / 6 : (px - 100) / 13;
                img.set(x, y, Rgb{150, 156, 168} * tubeShade(u));
                continue;
            }
            if (!insideRoundedRect(px, py, l, t, r, b, rad)) {
                continue;  // transparent
            }
            const double u = (px - 100) / 94;
            Rgb c = steel * tubeShade(u * 0.9);
            const double inset = std::min({px - l, r - px, py - t, b - py});
            if (inset < 3) {
                c = c * 0.45;  // dark rim
            } else if (py - t < 14) {
                c = mix(c, Rgb{220, 228, 240}, 0.35 * (1 - (py - t) / 14));  // lit top bevel
            } else if (b - py < 14) {
                c = c * (0.7 + 0.3 * (b - py) / 14);  // shaded bottom
            }
            // Name plate with an engraved "m".
            if (px > 58 && px < 142 && py > 82 && py < 146) {
                const bool frame = px < 62 || px > 138 || py < 86 || py > 142;
                c = frame ? Rgb{40, 52, 74} : Rgb{196, 204, 216} * (1 - 0.15 * (py - 86) / 56);
                const double gx = px - 100, gy = py - 122;
                auto stem = [&](double sx) { return std::abs(gx - sx) < 4 && gy > -14 && gy < 16; };
                auto arch = [&](double ax) {
                    const double d = std::hypot(gx - ax, gy + 2);
                    return gy < -2 && d > 8 && d < 16;
                };
                if (!frame && (stem(-24) || stem(0) || stem(24) || arch(-12) || arch(12))) {
                    c = Rgb{36, 44, 60};
                }
            }
            img.set(x, y, c);
        }
    }
    return img;
}

// The support: a concrete slab hatched at 45° with a steel plate along its underside,
// from which the upper rod hangs.
Image wallBand() {
    const Rgb concrete{168, 172, 180}, hatch{96, 102, 114};
    return painted(640, 144, [&](int x, int y) {
        if (y >= 130) {
            return y == 130 ? Rgb{214, 220, 230} : (y >= 142 ? Rgb{26, 30, 40} : Rgb{94, 104, 122});
        }
        return (x + y) % 16 < 2 ? hatch : concrete * (1.0 - 0.12 * y / 144.0);
    });
}

// The far side of the band, in shadow: what shows above it when it moves down.
Image farSide() {
    return painted(640, 48, [](int x, int y) {
        const Rgb c = mix(Rgb{54, 58, 68}, Rgb{92, 98, 110}, y / 47.0);
        return (x + y) % 16 < 2 ? c * 0.75 : c;
    });
}

// The rod: a polished steel bar, lit across its width.
Image rod() {
    return painted(6, 48, [](int x, int) {
        return Rgb{150, 156, 168} * tubeShade((x + 0.5 - 3) / 3);
    });
}

// Shading of a round wire, from the offset (ox, oy) of a pixel from the wire's centre
// line in units of the wire's radius: a lit cylinder, light from the upper left front.
double wireShade(double ox, double oy) {
    const double nz = std::sqrt(std::max(0.0, 1 - ox * ox - oy * oy));
    const double lx = -0.45, ly = -0.55, lz = 0.70;
    const double diffuse = std::max(0.0, ox * lx + oy * ly + nz * lz);
    return 0.3 + 0.7 * diffuse + 0.5 * std::pow(diffuse, 16);
}

// One period of a helical spring seen from the side: the wire's centre line is
// x = cx − A·cos θ, depth A·sin θ, θ = 2π y / h. The half period with the wire in front
// (left to right) is drawn over the other, and the wire darkens with depth. At y = h/4
// the front stroke crosses the axis, where the spring meets the rods (it is drawn from a
// quarter period in).
Image spring() {
    const int w = 64, h = 40;
    const double cx = 32, A = 26.5, wire = 3.2;
    const Rgb nearSide{184, 192, 206}, farSide{70, 76, 90};
    Image img(w, h);
    const int samples = 4000;
    struct Nearest {
        double d = 1e9, ox = 0, oy = 0, depth = 0;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            Nearest front, back;
            for (int i = -samples; i < 2 * samples; ++i) {
                const double phi = double(i) / samples;
                const double theta = 2 * std::numbers::pi * phi;
                const double sx = cx - A * std::cos(theta), sy = phi * h;
                const double d = std::hypot(px - sx, py - sy);
                Nearest& side = std::sin(theta) >= 0 ? front : back;
                if (d < side.d) {
                    side = {d, (px - sx) / wire, (py - sy) / wire, std::sin(theta)};
                }
            }
            const Nearest* hit = front.d <= wire ? &front : (back.d <= wire ? &back : nullptr);
            if (hit != nullptr) {
                const Rgb base = mix(farSide, nearSide, 0.5 + 0.5 * hit->depth);
                img.set(x, y, base * wireShade(hit->ox, hit->oy));
            }
        }
    }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const std::pair<const char*, Image> files[] = {
        {"back1.bmp", background()}, {"m3.bmp", mass()}, {"kabe.bmp", wallBand()},
        {"kabeoku.bmp", farSide()},  {"bou.bmp", rod()}, {"k.bmp", spring()},
    };
    for (const auto& [name, image] : files) {
        if (!image.writeBmp(dir + "/" + name)) {
            std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), name);
            return 1;
        }
    }
    return 0;
}
