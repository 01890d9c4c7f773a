// Colour arithmetic and the hue-lightness-saturation conversion.
#include "toolbars/drawing/colors.h"

#include <algorithm>
#include <cmath>

namespace {

// The distance space: each channel scaled by its weight, so that black to white spans
// 195 x 390 x 65 and the diagonal is about 442.
const double kScale[3] = {0.764706, 1.52941, 0.254902};
const double kRange[3] = {195.0, 390.0, 65.0};
const double kDiagonal = 442.0;

struct Vec {
    double v[3];
};

Vec Scaled(COLORREF c) {
    return {{GetRValue(c) * kScale[0], GetGValue(c) * kScale[1], GetBValue(c) * kScale[2]}};
}

Vec Mirrored(const Vec& a) {
    return {{kRange[0] - a.v[0], kRange[1] - a.v[1], kRange[2] - a.v[2]}};
}

double Dot(const Vec& a, const Vec& b) {
    return a.v[0] * b.v[0] + a.v[1] * b.v[1] + a.v[2] * b.v[2];
}

BYTE Channel(double scaled, int i) {
    double value = std::clamp(scaled, 0.0, kRange[i]) / kScale[i];
    return static_cast<BYTE>(std::clamp(static_cast<int>(value + 0.5), 0, 255));
}

int Luminance(COLORREF c) {
    return 77 * GetRValue(c) + 153 * GetGValue(c) + 26 * GetBValue(c);
}

int HueToValue(int m1, int m2, int h) {
    if (h < 0)
        h += 240;
    if (h > 240)
        h -= 240;
    if (h < 40)
        return m1 + ((m2 - m1) * h + 20) / 40;
    if (h < 120)
        return m2;
    if (h < 160)
        return m1 + ((m2 - m1) * (160 - h) + 20) / 40;
    return m1;
}

int ToChannel(int v) {
    return std::clamp((v * 255 + 120) / 240, 0, 255);
}

} // namespace

COLORREF BlendColors(COLORREF a, COLORREF b, BYTE weight) {
    const int scale = weight < 100 ? 100 : 1000;
    auto mix = [&](int ca, int cb) {
        return static_cast<BYTE>((ca * weight + cb * (scale - weight) + scale / 2) / scale);
    };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
               mix(GetBValue(a), GetBValue(b)));
}

COLORREF LightenColor(COLORREF c, BYTE amount) {
    auto up = [amount](int channel) { return static_cast<BYTE>(std::min(channel + amount, 255)); };
    return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

BOOL IsColorDark(COLORREF c, int threshold) {
    return Luminance(c) < 256 * threshold;
}

double ColorDistance(COLORREF a, COLORREF b) {
    Vec va = Scaled(a), vb = Scaled(b);
    double sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += (va.v[i] - vb.v[i]) * (va.v[i] - vb.v[i]);
    return std::sqrt(sum);
}

double AdjustContrastThreshold(double distanceFromBlack, double threshold) {
    return distanceFromBlack < 220.0 ? threshold * (2.0 - distanceFromBlack / 220.0) : threshold;
}

BOOL IsContrastEnough(COLORREF fg, COLORREF bg, BOOL adjust, double threshold) {
    if (adjust)
        threshold = AdjustContrastThreshold(ColorDistance(bg, RGB(0, 0, 0)), threshold);
    return ColorDistance(bg, fg) > threshold;
}

COLORREF EnsureContrast(COLORREF fg, COLORREF bg, int minDistance) {
    if (IsContrastEnough(fg, bg, TRUE, minDistance))
        return fg;
    return MoveColorForContrast(fg, bg, minDistance);
}

COLORREF MoveColorForContrast(COLORREF fg, COLORREF bg, double distance) {
    const double dF = ColorDistance(fg, RGB(0, 0, 0));
    const double dB = ColorDistance(bg, RGB(0, 0, 0));
    const double t = AdjustContrastThreshold(dB, distance);
    const bool toWhite = dF <= dB ? dB < t : dB < kDiagonal - t;

    Vec f = Scaled(fg), b = Scaled(bg);
    if (toWhite) {
        f = Mirrored(f);
        b = Mirrored(b);
    }
    const double n = std::max(std::sqrt(Dot(f, f)), 0.01);
    const double p = Dot(f, b) / n;
    double q = 0;
    for (int i = 0; i < 3; ++i) {
        double d = p / n * f.v[i] - b.v[i];
        q += d * d;
    }
    // Asked directly for a distance below bg's distance from the line, no point of the line
    // lies that far: the nearest point (the foot of bg) is taken instead.
    const double along = p - std::sqrt(std::max(t * t - q, 0.0));
    Vec moved = {{along / n * f.v[0], along / n * f.v[1], along / n * f.v[2]}};
    if (toWhite)
        moved = Mirrored(moved);
    return RGB(Channel(moved.v[0], 0), Channel(moved.v[1], 1), Channel(moved.v[2], 2));
}

void RgbToHls(COLORREF c, WORD& hue, WORD& lightness, WORD& saturation) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    const int max = std::max({r, g, b}), min = std::min({r, g, b});
    const int l = ((max + min) * 240 + 255) / 510;
    lightness = static_cast<WORD>(l);
    if (max == min) {
        saturation = 0;
        hue = 160;
        return;
    }
    const int range = max - min;
    const int s = l <= 120 ? max + min : 510 - max - min;
    saturation = static_cast<WORD>((range * 240 + s / 2) / s);
    auto delta = [&](int channel) { return ((max - channel) * 40 + range / 2) / range; };
    int h;
    if (r == max)
        h = delta(b) - delta(g);
    else if (g == max)
        h = 80 + delta(r) - delta(b);
    else
        h = 160 + delta(g) - delta(r);
    if (h < 0)
        h += 240;
    if (h > 240)
        h -= 240;
    hue = static_cast<WORD>(h);
}

COLORREF HlsToRgb(WORD hue, WORD lightness, WORD saturation) {
    const int l = lightness, s = saturation, h = hue;
    if (s == 0) {
        const BYTE grey = static_cast<BYTE>(std::min(l * 255 / 240, 255));
        return RGB(grey, grey, grey);
    }
    const int m2 = l <= 120 ? (l * (240 + s) + 120) / 240 : l + s - (l * s + 120) / 240;
    const int m1 = 2 * l - m2;
    return RGB(ToChannel(HueToValue(m1, m2, h + 80)), ToChannel(HueToValue(m1, m2, h)),
               ToChannel(HueToValue(m1, m2, h - 80)));
}
