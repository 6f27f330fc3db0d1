#pragma once
// A plain copy of a loaded profile, so tests can compare whole profiles.

#include "app/AppState.h"

#include <array>
#include <cstdint>
#include <ostream>

namespace vux::test {

struct ProfileValues {
    std::array<int32_t, kButtonCount> keyFunc{};
    int32_t wheelStatus = 0;
    int32_t macroMode = 0;
    int32_t dpiLevel = 0;
    std::array<int, kDpiLevelCount> dpiSet{};
    std::array<int, kDpiLevelCount> dpiEnabled{};
    int ledStatus = 0;
    int pointerSpeed = 0;
    int wheelSpeed = 0;
    int32_t fireTime = 0;
    std::array<int, kDpiLevelCount> dpiInForce{};
    std::array<int32_t, kDpiLevelCount> dpiArea{};

    bool operator==(const ProfileValues&) const = default;
};

inline ProfileValues valuesOf(const AppState& state) {
    ProfileValues v;
    const ProfileSettings& p = state.profile;
    for (std::size_t i = 0; i < kButtonCount; ++i)
        v.keyFunc[i] = p.keyFunc[i];
    v.wheelStatus = p.wheelStatus;
    v.macroMode = p.macroMode;
    v.dpiLevel = p.dpiLevel;
    for (std::size_t j = 0; j < kDpiLevelCount; ++j) {
        v.dpiSet[j] = p.dpiSet[j];
        v.dpiEnabled[j] = p.dpiEnabled[j];
        v.dpiInForce[j] = state.derived.dpiInForce[j];
        v.dpiArea[j] = state.derived.dpiArea[j];
    }
    v.ledStatus = p.ledStatus;
    v.pointerSpeed = p.pointerSpeed;
    v.wheelSpeed = p.wheelSpeed;
    v.fireTime = p.fireTime;
    return v;
}

inline std::ostream& operator<<(std::ostream& out, const ProfileValues& v) {
    out << "K";
    for (int32_t k : v.keyFunc)
        out << ' ' << k;
    out << " wheel " << v.wheelStatus << " macro " << v.macroMode << " level " << v.dpiLevel
        << " dpi";
    for (std::size_t j = 0; j < kDpiLevelCount; ++j)
        out << ' ' << v.dpiSet[j] << '/' << v.dpiEnabled[j] << '/' << v.dpiInForce[j] << '/'
            << v.dpiArea[j];
    return out << " led " << v.ledStatus << " speed " << v.pointerSpeed << " wheelSpeed "
               << v.wheelSpeed << " fire " << v.fireTime;
}

} // namespace vux::test
