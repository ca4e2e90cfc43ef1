#pragma once

namespace Geometry {

// A rectangle in device pixels.
struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const PixelRect&) const = default;
};

// Twips are 1/1440 of a logical inch: 15 to a pixel at 96 dpi. Rounded
// half away from zero, so 7.5 pixels become 8 on every front end.
constexpr int PixelsFromTwips(int twips, int dotsPerInch) noexcept {
    const long long scaled = static_cast<long long>(twips) * dotsPerInch;
    return static_cast<int>((scaled >= 0 ? scaled + 720 : scaled - 720) / 1440);
}

// Form1's fixed layout in twips, turned into pixels at a given dpi. Every
// front end places its controls from these figures.
class WindowGeometry {
public:
    explicit constexpr WindowGeometry(int dotsPerInch) noexcept : dotsPerInch_(dotsPerInch) {}

    constexpr int ClientWidth() const noexcept { return Pixels(6735); }
    constexpr int ClientHeight() const noexcept { return Pixels(4905); }
    constexpr PixelRect Dir1() const noexcept { return Rect(240, 120, 3015, 2190); }
    constexpr PixelRect Drive1() const noexcept { return Rect(240, 2400, 3015, 300); }
    constexpr PixelRect File1() const noexcept { return Rect(3360, 120, 3255, 2610); }
    constexpr PixelRect Text1() const noexcept { return Rect(240, 2760, 6375, 2055); }

    // Font sizes in points: the window and Text1, and the three lists.
    static constexpr int kWindowFontPoints = 12;
    static constexpr int kListFontPoints = 9;

private:
    constexpr int Pixels(int twips) const noexcept { return PixelsFromTwips(twips, dotsPerInch_); }
    constexpr PixelRect Rect(int left, int top, int width, int height) const noexcept {
        return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
    }

    int dotsPerInch_;
};

}  // namespace Geometry
