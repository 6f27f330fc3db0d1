#include "macros/KeyNames.h"

#include <array>

namespace vux {

namespace {

// Every code with a name; letters and digits are filled in below.
struct NamedKey {
    uint8_t code;
    const char* name;
};

constexpr NamedKey kNamedKeys[] = {
    {8, "BACK"},       {9, "TAB"},         {12, "CLEAR"},      {13, "RETURN"},
    {16, "SHIFT"},     {17, "CONTROL"},    {18, "MENU"},       {19, "PAUSE"},
    {20, "CAPITAL"},   {21, "KANA"},       {23, "JUNJA"},      {24, "FINAL"},
    {25, "HANJA"},     {27, "ESCAPE"},     {28, "CONVERT"},    {29, "NONCONVERT"},
    {30, "ACCEPT"},    {31, "MODECHANGE"}, {32, "SPACE"},      {33, "PRIOR"},
    {34, "NEXT"},      {35, "END"},        {36, "HOME"},       {37, "LEFT"},
    {38, "UP"},        {39, "RIGHT"},      {40, "DOWN"},       {41, "SELECT"},
    {42, "PRINT"},     {43, "EXECUTE"},    {44, "SNAPSHOT"},   {45, "INSERT"},
    {46, "DELETE"},    {47, "HELP"},       {91, "LWIN"},       {92, "RWIN"},
    {93, "APPS"},      {95, "SLEEP"},      {96, "NUMPAD0"},    {97, "NUMPAD1"},
    {98, "NUMPAD2"},   {99, "NUMPAD3"},    {100, "NUMPAD4"},   {101, "NUMPAD5"},
    {102, "NUMPAD6"},  {103, "NUMPAD7"},   {104, "NUMPAD8"},   {105, "NUMPAD9"},
    {106, "MULTIPLY"}, {107, "ADD"},       {108, "SEPARATOR"}, {109, "SUBTRACT"},
    {110, "DECIMAL"},  {111, "DIVIDE"},    {112, "F1"},        {113, "F2"},
    {114, "F3"},       {115, "F4"},        {116, "F5"},        {117, "F6"},
    {118, "F7"},       {119, "F8"},        {120, "F9"},        {121, "F10"},
    {122, "F11"},      {123, "F12"},       {124, "F13"},       {125, "F14"},
    {126, "F15"},      {127, "F16"},       {128, "F17"},       {129, "F18"},
    {130, "F19"},      {131, "F20"},       {132, "F21"},       {133, "F22"},
    {134, "F23"},      {135, "F24"},       {144, "NUMLOCK"},   {145, "SCROLL"},
    {160, "LSHIFT"},   {161, "RSHIFT"},    {162, "LCONTROL"},  {163, "RCONTROL"},
    {164, "LMENU"},    {165, "RMENU"},     {186, ";:"},        {187, "+"},
    {188, ","},        {189, "-"},         {190, "."},         {191, "/?"},
    {192, "`~"},       {219, "[{"},        {220, "\\|"},       {221, "]}"},
    {222, " ' "},      {240, "Left_Key"},  {241, "Right_Key"}, {242, "Middle_Key"},
};

constexpr const char* kLetters[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                      "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                      "S", "T", "U", "V", "W", "X", "Y", "Z"};
constexpr const char* kDigits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

// One entry per code, nullptr where a code has no name.
constexpr std::array<const char*, 256> kKeyNameTable = [] {
    std::array<const char*, 256> table{};
    for (int c = 0; c < 26; ++c)
        table[65 + c] = kLetters[c];
    for (int c = 0; c < 10; ++c)
        table[48 + c] = kDigits[c];
    for (const NamedKey& key : kNamedKeys)
        table[key.code] = key.name;
    return table;
}();

} // namespace

const char* keyTableName(uint8_t code) {
    return kKeyNameTable[code];
}

QString keyName(uint8_t code, bool english) {
    if (const char* name = kKeyNameTable[code])
        return QString::fromLatin1(name);
    return english ? QStringLiteral("Not Available") : QStringLiteral("不可录制");
}

QString delayLineText(uint16_t ms) {
    return QStringLiteral("    %1ms").arg(unsigned{ms});
}

QString eventLineText(MacroEvent e, bool english) {
    const QString name = keyName(e.keyCode, english);
    switch (e.action) {
    case kActionDown:
        return QStringLiteral("[↓]") + name;
    case kActionUp:
        return QStringLiteral("[↑]") + name;
    default:
        return name;
    }
}

void addEventLines(EventListSink& list, EventLineCounters& counters, const MacroSlot& macro,
                   int event, bool english, EventListSelection selection) {
    if (event < 0 || event >= kMacroEventCapacity)
        return;
    if (event > 0)
        list.appendLine(delayLineText(macro.delays[event - 1]));
    const MacroEvent e = macro.events[event];
    if (e.action == kActionDown)
        ++counters.downLines;
    else if (e.action == kActionUp)
        ++counters.upLines;
    list.appendLine(eventLineText(e, english));
    list.requestRepaint();
    list.setSelection(selection.recording ? list.lineCount() - 1 : selection.selectedLine);
}

} // namespace vux
