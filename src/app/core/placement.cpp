#include "app/core/placement.h"

#include "base/text.h"

#include <algorithm>
#include <array>

namespace trix::app {

WindowPlacement parsePlacement(std::string_view text) {
    WindowPlacement p;
    std::array<int*, 5> fields{&p.left, &p.top, &p.right, &p.bottom, &p.showState};
    std::size_t i = 0;
    for (int* f : fields) {
        std::size_t comma = text.find(',', i);
        std::string_view field =
            text.substr(i, comma == std::string_view::npos ? text.npos : comma - i);
        // A field without a digit ends the reading: the rest keep their defaults.
        if (field.find_first_of("0123456789") == std::string_view::npos)
            break;
        *f = static_cast<int>(parseInteger(field));
        if (comma == std::string_view::npos)
            break;
        i = comma + 1;
    }
    return p;
}

std::string formatPlacement(const WindowPlacement& p) {
    return cformat("%d,%d,%d,%d,%d", p.left, p.top, p.right, p.bottom, p.showState);
}

WindowPlacement readPlacement(const IniProfile& profile, std::string_view key) {
    return parsePlacement(profile.getString("Windows", key, "0,0,0,10000,1"));
}

void writePlacement(IniProfile& profile, std::string_view key, const WindowPlacement& p) {
    profile.writeString("Windows", key, formatPlacement(p));
}

RestoredPlacement restorePlacement(const WindowPlacement& s, int w, int h, bool allowMaximized,
                                   int minWidth, int minHeight) {
    RestoredPlacement r;
    r.left = (s.left < -1 || s.left > w) ? -1 : s.left;
    r.top = (s.top < -1 || s.top > h) ? -1 : s.top;
    r.right = (s.right < -1 || s.right > w) ? w : s.right;
    r.bottom = (s.bottom < -1 || s.bottom > h) ? h : s.bottom;
    bool keep = s.showState == kShowNormal || (allowMaximized && s.showState == kShowMaximized);
    r.showState = keep ? s.showState : kShowNormal;
    // A window smaller than its minimum or wholly off the screen would be lost for good: such
    // a placement is not restored, the window keeps its own (and that is what is saved back).
    const bool bigEnough = r.right - r.left >= minWidth && r.bottom - r.top >= minHeight;
    const bool onScreen = r.right > 0 && r.bottom > 0 && r.left < w && r.top < h;
    r.move = s.stored() && bigEnough && onScreen;
    return r;
}

PlacedRect fitPlacement(const WindowPlacement& r, int areaWidth, int areaHeight) {
    PlacedRect p;
    p.width = std::clamp(r.right - r.left, 1, std::max(1, areaWidth));
    p.height = std::clamp(r.bottom - r.top, 1, std::max(1, areaHeight));
    p.left = std::clamp(r.left, 0, std::max(0, areaWidth - p.width));
    p.top = std::clamp(r.top, 0, std::max(0, areaHeight - p.height));
    return p;
}

} // namespace trix::app
