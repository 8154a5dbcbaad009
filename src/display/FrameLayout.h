#pragma once
// Geometry of the display frame for a W x H area: the three areas, the time
// and depth grids and the colour bar with its labels. Every range includes
// its first and excludes its last value.

#include <cstdint>
#include <string>
#include <vector>

struct AreaRect {
    int left;
    int top;
    int right;   // excluded
    int bottom;  // excluded
};

struct FrameAreas {
    AreaRect echogram;   // one column per ping
    AreaRect profile;    // newest ping's trace
    AreaRect colourBar;  // palette, strongest at the top
};
FrameAreas FrameAreasFor(int width, int height);

// Margins shared by the renderer and the frame.
inline constexpr int kEchogramLeft = 40;
inline constexpr int kEchogramTop = 30;
inline constexpr int kEchogramRightMargin = 150;  // echogram ends at W - 150
inline constexpr int kEchogramBottomMargin = 30;  // and at H - 30
inline constexpr int kProfileOriginMargin = 142;  // trace origin W - 142

// Time grid: columns W - 150, W - 210, ... while above 40; label k reads
// k * 60 pings back from the newest.
std::vector<int> TimeGridColumns(int width);
std::string TimeGridLabel(int k);

// Depth grid: pixels per step P = (H - 60) * step / range, truncated; 0 when
// below one pixel or taller than the area (no line fits then).
int DepthPixelsPerStep(int height, float step, float rangeMetres);
// Rows 30 + P, 30 + 2P, ... below H - 30 (none when P < 1).
std::vector<int> DepthGridRows(int height, int pixelsPerStep);
std::string DepthGridLabel(int k, float step);

// Colour bar: palette index drawn on bar row j (0 at the top).
int ColourBarIndex(int j, int barHeight);

struct BarLabel {
    int row;  // pixel row of the label's line
    std::string text;
};
// Labels every (H - 60) * 10 / Smax rows from row 30: "-0dB" .. in 10 dB
// steps on the dB scale (Smax 60), "100 %" .. in 10 % steps on the linear
// scale (Smax 100).
std::vector<BarLabel> ColourBarLabels(int height, bool linear);
