#pragma once
// Button function codes: what the mouse does itself and what it hands to the computer.
//
// Codes come from config.ini and imported files, which a user can edit by hand,
// so every lookup here accepts any int: a code outside the table (7..10, 20,
// negative, above 52) has no device code, no DPI step, no host action and no
// macro. Callers never index anything with a code directly.

#include <array>
#include <cstdint>

namespace vux {

// The mouse's own id of buttons 1..8; a press of button i arrives as 240 + buttonHwCode[i-1].
inline constexpr std::array<uint8_t, 8> buttonHwCode{1, 2, 3, 5, 4, 6, 8, 9};
inline constexpr std::array<int32_t, 8> defaultKeyFunc{1, 2, 3, 5, 4, 18, 17, 13};
inline constexpr int kHostDeviceCode = 31;

// deviceCodeOf's answer for a code outside the table.
inline constexpr int kNoDeviceCode = -1;

inline constexpr int32_t kLeftClickCode = 1;
inline constexpr int32_t kFirstMacroCode = 41;
inline constexpr int kMacroCodeCount = 12;
inline constexpr int32_t kLastFunctionCode = 52;

// What the computer does for a button handed to it (carried out by the executor).
enum class HostAction : uint8_t {
    None, // carried out by the mouse, or a code no menu yields
    DpiCycle,
    DpiUp,
    DpiDown,
    LightToggle,
    Mute,
    CopyCtrlC,
    PasteCtrlV,
    SelectAllCtrlA,
    UndoCtrlZ,
    CloseAltF4,
    OpenComputerFolder,
    LockWorkstation,
    RunCalculator,
    RunCommandPrompt,
    NextProfile,
    PlayMacro,
};

struct FunctionCode {
    bool inTable;       // false for the gaps 7..10 and 20
    uint8_t deviceCode; // byte 3 of SetButtonFunction: 0..17 or 31
    int8_t dpiStep;     // 2 cycle, 1 up, -1 down, 0 none
    HostAction action;
};

namespace detail {
using A = HostAction;
inline constexpr FunctionCode kGap{false, 0, 0, A::None};
inline constexpr FunctionCode mouse(uint8_t device) {
    return {true, device, 0, A::None};
}
inline constexpr FunctionCode host(A action, int8_t step = 0) {
    return {true, kHostDeviceCode, step, action};
}
inline constexpr FunctionCode kMacro = host(A::PlayMacro);
} // namespace detail

// Indexed by code 0..52.
inline constexpr std::array<FunctionCode, kLastFunctionCode + 1> functionCodeTable{
    detail::mouse(0),
    detail::mouse(1),
    detail::mouse(2),
    detail::mouse(3),
    detail::mouse(4),
    detail::mouse(5),                      // 0..5
    detail::host(HostAction::DpiCycle, 2), // 6
    detail::kGap,
    detail::kGap,
    detail::kGap,
    detail::kGap, // 7..10
    detail::mouse(7),
    detail::mouse(8),
    detail::mouse(9),
    detail::mouse(10),
    detail::mouse(11),
    detail::mouse(12),                     // 11..16
    detail::host(HostAction::DpiUp, 1),    // 17
    detail::host(HostAction::DpiDown, -1), // 18
    detail::host(HostAction::LightToggle), // 19
    detail::kGap,                          // 20
    detail::mouse(13),
    detail::mouse(14),
    detail::mouse(15),
    detail::mouse(16),
    detail::mouse(17),              // 21..25
    detail::host(HostAction::Mute), // 26
    detail::host(HostAction::None),
    detail::host(HostAction::None),
    detail::host(HostAction::None),
    detail::host(HostAction::None),               // 27..30
    detail::host(HostAction::CopyCtrlC),          // 31
    detail::host(HostAction::PasteCtrlV),         // 32
    detail::host(HostAction::SelectAllCtrlA),     // 33
    detail::host(HostAction::UndoCtrlZ),          // 34
    detail::host(HostAction::CloseAltF4),         // 35
    detail::host(HostAction::OpenComputerFolder), // 36
    detail::host(HostAction::LockWorkstation),    // 37
    detail::host(HostAction::RunCalculator),      // 38
    detail::host(HostAction::RunCommandPrompt),   // 39
    detail::host(HostAction::NextProfile),        // 40
    detail::kMacro,
    detail::kMacro,
    detail::kMacro,
    detail::kMacro,
    detail::kMacro,
    detail::kMacro,
    detail::kMacro,
    detail::kMacro,
    detail::kMacro,
    detail::kMacro,
    detail::kMacro,
    detail::kMacro, // 41..52
};

// The table's row of a code; the gap row for any code outside the table.
constexpr const FunctionCode& functionCodeOf(int32_t code) {
    if (code < 0 || code > kLastFunctionCode)
        return detail::kGap;
    return functionCodeTable[static_cast<std::size_t>(code)];
}

constexpr bool isInFunctionTable(int32_t code) {
    return functionCodeOf(code).inTable;
}

// Device code 0..17 or 31; kNoDeviceCode for a code outside the table.
constexpr int deviceCodeOf(int32_t code) {
    const FunctionCode& f = functionCodeOf(code);
    return f.inTable ? f.deviceCode : kNoDeviceCode;
}

constexpr int32_t dpiStepOf(int32_t code) {
    return functionCodeOf(code).dpiStep;
}

constexpr bool isHandedToHost(int32_t code) {
    return deviceCodeOf(code) == kHostDeviceCode;
}

constexpr HostAction hostActionOf(int32_t code) {
    return functionCodeOf(code).action;
}

// Macro number 0..11 of a macro code, -1 for any other code.
constexpr int macroIndexOf(int32_t code) {
    return code >= kFirstMacroCode && code < kFirstMacroCode + kMacroCodeCount
               ? static_cast<int>(code - kFirstMacroCode)
               : -1;
}

// The only values byte 3 of SetButtonFunction may carry.
constexpr bool isDeviceCodeSendable(int deviceCode) {
    return (deviceCode >= 0 && deviceCode <= 17) || deviceCode == kHostDeviceCode;
}

// The device code a SetButtonFunction report carries for a button with this
// code. A code outside the table has none of its own: the report repeats the
// byte left from the previous report (`previousByte`) when that is a device
// code, and nothing is sent otherwise (kNoDeviceCode).
constexpr int deviceCodeToSend(int32_t code, int previousByte) {
    const int own = deviceCodeOf(code);
    if (own != kNoDeviceCode)
        return own;
    return isDeviceCodeSendable(previousByte) ? previousByte : kNoDeviceCode;
}

} // namespace vux
