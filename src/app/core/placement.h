#pragma once
// Window placements kept in the profile section "Windows", one key per window, as
// "left,top,right,bottom,show state".

#include "app/core/ini_profile.h"

#include <string>
#include <string_view>

namespace trix::app {

inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;
// A bottom of 10000 marks a placement that was never stored.
inline constexpr int kUnsetBottom = 10000;

struct WindowPlacement {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = kUnsetBottom;
    int showState = kShowNormal;

    bool stored() const { return bottom != kUnsetBottom; }
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

WindowPlacement parsePlacement(std::string_view text);
std::string formatPlacement(const WindowPlacement& p);

WindowPlacement readPlacement(const IniProfile& profile, std::string_view key);
void writePlacement(IniProfile& profile, std::string_view key, const WindowPlacement& p);

struct RestoredPlacement {
    int left = 0, top = 0, right = 0, bottom = 0;
    int showState = kShowNormal;
    bool move = false; // false: nothing was stored, the window keeps its own placement
};

// The restoring rule: left and top outside -1 … screen width/height become -1; right and
// bottom outside that range become the screen width and height; the show state stays only if
// it is normal, or maximised where the caller allows it. A placement smaller than the
// window's minimum size or off the screen is not restored (move is false).
inline constexpr int kSmallestPlacement = 32;
RestoredPlacement restorePlacement(const WindowPlacement& stored, int screenWidth, int screenHeight,
                                   bool allowMaximized, int minWidth = kSmallestPlacement,
                                   int minHeight = kSmallestPlacement);

// Where a restored window goes in an area of `areaWidth` × `areaHeight` (once
// restorePlacement() said it moves): its stored size, shrunk to the area where it is larger,
// moved (not squeezed) so that all of it is visible. Another screen size or scale factor
// never leaves a window off-screen or cut off.
struct PlacedRect {
    int left = 0, top = 0, width = 0, height = 0;
};
PlacedRect fitPlacement(const WindowPlacement& stored, int areaWidth, int areaHeight);

} // namespace trix::app
