#include "tools/default-macros/DefaultMacros.h"

#include "macros/MacroFile.h"

#include <QString>

#include <utility>

namespace vux {

namespace {

constexpr uint8_t kLeftControl = 162; // what recording the left Ctrl key gives
constexpr uint8_t kReturn = 13;
constexpr uint8_t kSnapshot = 44;

struct Step {
    uint8_t key;
    uint8_t action;
    uint16_t delayAfter;
};

class MacroBuilder {
public:
    explicit MacroBuilder(const QString& name) {
        setMacroName(m_, name);
        m_.repeatEnabled = 0;
        m_.repeatCount = 1;
    }
    MacroBuilder& add(Step s) {
        m_.events[m_.eventCount] = {s.key, s.action};
        m_.delays[m_.eventCount] = s.delayAfter;
        ++m_.eventCount;
        return *this;
    }
    MacroBuilder& tap(uint8_t key, uint16_t held, uint16_t after) {
        return add({key, kActionDown, held}).add({key, kActionUp, after});
    }
    MacroSlot done() const { return m_; }

private:
    MacroSlot m_{};
};

} // namespace

std::vector<MacroSlot> defaultMacros(bool english) {
    auto name = [english](const char* en, const char* cn) {
        return english ? QString::fromUtf8(en) : QString::fromUtf8(cn);
    };
    std::vector<MacroSlot> macros;

    // Two left clicks quick enough for any desktop's double-click time.
    macros.push_back(MacroBuilder(name("Double Click", "双击"))
                         .tap(kKeyMouseLeft, 20, 60)
                         .tap(kKeyMouseLeft, 20, 20)
                         .done());

    // Ctrl+A, then Ctrl+C, with Ctrl held throughout.
    macros.push_back(MacroBuilder(name("Select All + Copy", "全选并复制"))
                         .add({kLeftControl, kActionDown, 30})
                         .tap('A', 30, 30)
                         .tap('C', 30, 30)
                         .add({kLeftControl, kActionUp, 20})
                         .done());

    // The Print Screen key.
    macros.push_back(MacroBuilder(name("Screenshot", "截屏")).tap(kSnapshot, 50, 50).done());

    // Ten left clicks, about twenty a second.
    MacroBuilder burst(name("Click Burst", "连续左键点击"));
    for (int i = 0; i < 10; ++i)
        burst.tap(kKeyMouseLeft, 15, 35);
    macros.push_back(burst.done());

    // Ctrl+V, then Enter: paste a line into a chat and send it.
    macros.push_back(MacroBuilder(name("Paste + Enter", "粘贴并回车"))
                         .add({kLeftControl, kActionDown, 30})
                         .tap('V', 30, 30)
                         .add({kLeftControl, kActionUp, 50})
                         .tap(kReturn, 30, 20)
                         .done());
    return macros;
}

} // namespace vux
