#include "settings/ProfileSettings.h"

#include "app/AppState.h"
#include "settings/FunctionCodes.h"

namespace vux {

void setFactoryProfile(AppState& state) {
    ProfileSettings& p = state.profile;
    DerivedSettings& d = state.derived;
    for (std::size_t i = 0; i < kButtonCount; ++i)
        p.keyFunc[i] = defaultKeyFunc[i];
    p.wheelStatus = 0;
    p.dpiLevel = 0;
    for (std::size_t j = 0; j < kDpiLevelCount; ++j) {
        d.dpiInForce[j] = factoryDpiSet[j];
        p.dpiSet[j] = factoryDpiSet[j];
        d.dpiArea[j] = dpiAreaOf(static_cast<int>(j), factoryDpiSet[j]);
        p.dpiEnabled[j] = 1;
    }
    p.ledStatus = 0;
    p.pointerSpeed = kFactoryPointerSpeed;
    p.wheelSpeed = kFactoryWheelSpeed;
    p.fireTime = kFactoryFireTime;
}

} // namespace vux
