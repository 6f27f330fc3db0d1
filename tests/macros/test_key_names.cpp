// Key names over all 256 codes and the lines of the event list.

#include "macros/KeyNames.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vux {
namespace {

// Every named code with its text, written out independently of the program's table.
std::map<int, QString> expectedNames() {
    std::map<int, QString> names = {
        {8, "BACK"},        {9, "TAB"},         {12, "CLEAR"},       {13, "RETURN"},
        {16, "SHIFT"},      {17, "CONTROL"},    {18, "MENU"},        {19, "PAUSE"},
        {20, "CAPITAL"},    {21, "KANA"},       {23, "JUNJA"},       {24, "FINAL"},
        {25, "HANJA"},      {27, "ESCAPE"},     {28, "CONVERT"},     {29, "NONCONVERT"},
        {30, "ACCEPT"},     {31, "MODECHANGE"}, {32, "SPACE"},       {33, "PRIOR"},
        {34, "NEXT"},       {35, "END"},        {36, "HOME"},        {37, "LEFT"},
        {38, "UP"},         {39, "RIGHT"},      {40, "DOWN"},        {41, "SELECT"},
        {42, "PRINT"},      {43, "EXECUTE"},    {44, "SNAPSHOT"},    {45, "INSERT"},
        {46, "DELETE"},     {47, "HELP"},       {91, "LWIN"},        {92, "RWIN"},
        {93, "APPS"},       {95, "SLEEP"},      {106, "MULTIPLY"},   {107, "ADD"},
        {108, "SEPARATOR"}, {109, "SUBTRACT"},  {110, "DECIMAL"},    {111, "DIVIDE"},
        {144, "NUMLOCK"},   {145, "SCROLL"},    {160, "LSHIFT"},     {161, "RSHIFT"},
        {162, "LCONTROL"},  {163, "RCONTROL"},  {164, "LMENU"},      {165, "RMENU"},
        {240, "Left_Key"},  {241, "Right_Key"}, {242, "Middle_Key"}, {186, ";:"},
        {187, "+"},         {188, ","},         {189, "-"},          {190, "."},
        {191, "/?"},        {219, "[{"},        {220, "\\|"},        {221, "]}"},
        {222, " ' "},
    };
    names[192] = QString(QChar(0x60)) + QChar(0x7E);
    for (int c = 'A'; c <= 'Z'; ++c)
        names[c] = QString(QChar(c));
    for (int c = '0'; c <= '9'; ++c)
        names[c] = QString::number(c - '0');
    for (int i = 0; i <= 9; ++i)
        names[96 + i] = QStringLiteral("NUMPAD%1").arg(i);
    for (int i = 1; i <= 24; ++i)
        names[111 + i] = QStringLiteral("F%1").arg(i);
    return names;
}

// The codes that have no name, as ranges.
const std::pair<int, int> kUnnamedRanges[] = {
    {0, 7},     {10, 11},   {14, 15},   {22, 22},   {26, 26},   {58, 64},  {94, 94},
    {136, 143}, {146, 159}, {166, 185}, {193, 218}, {223, 239}, {243, 255}};

TEST(KeyName, EveryCodeOfTheTable) {
    const auto names = expectedNames();
    std::set<int> unnamed;
    for (auto [from, to] : kUnnamedRanges)
        for (int c = from; c <= to; ++c)
            unnamed.insert(c);
    ASSERT_EQ(names.size() + unnamed.size(), 256u);

    for (int c = 0; c < 256; ++c) {
        const auto code = static_cast<uint8_t>(c);
        if (auto it = names.find(c); it != names.end()) {
            EXPECT_EQ(keyName(code, true), it->second) << c;
            EXPECT_EQ(keyName(code, false), it->second) << c; // named keys keep their English names
            EXPECT_NE(keyTableName(code), nullptr) << c;
        } else {
            EXPECT_TRUE(unnamed.count(c)) << c;
            EXPECT_EQ(keyName(code, true), QStringLiteral("Not Available")) << c;
            EXPECT_EQ(keyName(code, false), QStringLiteral("不可录制")) << c;
            EXPECT_EQ(keyTableName(code), nullptr) << c;
        }
    }
}

TEST(KeyName, NeighboursOfTheRanges) {
    EXPECT_EQ(keyName(64, true), QStringLiteral("Not Available"));
    EXPECT_EQ(keyName(65, true), QStringLiteral("A"));
    EXPECT_EQ(keyName(90, true), QStringLiteral("Z"));
    EXPECT_EQ(keyName(91, true), QStringLiteral("LWIN"));
    EXPECT_EQ(keyName(48, true), QStringLiteral("0"));
    EXPECT_EQ(keyName(57, true), QStringLiteral("9"));
    for (uint8_t mouseVk : {1, 2, 4})
        EXPECT_EQ(keyName(mouseVk, true), QStringLiteral("Not Available"));
    EXPECT_EQ(keyName(7, true), QStringLiteral("Not Available"));
    EXPECT_EQ(keyName(8, true), QStringLiteral("BACK"));
    EXPECT_EQ(keyName(242, true), QStringLiteral("Middle_Key"));
    EXPECT_EQ(keyName(243, true), QStringLiteral("Not Available"));
    EXPECT_EQ(keyName(0, false), QStringLiteral("不可录制"));
}

MacroSlot macroOf(std::initializer_list<std::tuple<uint8_t, uint8_t, uint16_t>> events) {
    MacroSlot m{};
    int k = 0;
    for (auto [key, action, delay] : events) {
        m.events[k] = {key, action};
        m.delays[k] = delay;
        ++k;
    }
    m.eventCount = static_cast<uint8_t>(k);
    return m;
}

TEST(EventLines, LineTexts) {
    EXPECT_EQ(delayLineText(120), QStringLiteral("    120ms"));
    EXPECT_EQ(delayLineText(0), QStringLiteral("    0ms"));
    EXPECT_EQ(delayLineText(65535), QStringLiteral("    65535ms"));
    EXPECT_EQ(eventLineText({65, 1}, true), QStringLiteral("[\u2193]A"));
    EXPECT_EQ(eventLineText({240, 2}, true), QStringLiteral("[\u2191]Left_Key"));
    EXPECT_EQ(eventLineText({65, 0}, true), QStringLiteral("A"));
    EXPECT_EQ(eventLineText({65, 3}, false), QStringLiteral("A"));
    EXPECT_EQ(eventLineText({200, 1}, false), QStringLiteral("[\u2193]不可录制"));
}

TEST(EventLines, PressAfterADelayAppendsTheDelayThenTheEvent) {
    const MacroSlot m = macroOf({{66, 1, 120}, {65, 1, 40}});
    StringListSink list;
    EventLineCounters counters;
    addEventLines(list, counters, m, 1, true, {});
    EXPECT_EQ(list.lines, QStringList({QStringLiteral("    120ms"), QStringLiteral("[↓]A")}));
    EXPECT_EQ(counters.downLines, 1);
    EXPECT_EQ(counters.upLines, 0);
}

TEST(EventLines, WholeMacroFollowsTheLineLayout) {
    const MacroSlot m =
        macroOf({{65, 1, 30}, {65, 2, 65535}, {241, 1, 0}, {241, 2, 7}, {13, 9, 5}});
    StringListSink list;
    EventLineCounters counters;
    for (int k = 0; k < m.eventCount; ++k)
        addEventLines(list, counters, m, k, true, {});
    const QStringList expected = {"[↓]A",         "    30ms",     "[↑]A",
                                  "    65535ms",  "[↓]Right_Key", "    0ms",
                                  "[↑]Right_Key", "    7ms",      "RETURN"};
    EXPECT_EQ(list.lines, expected);
    EXPECT_EQ(list.lineCount(), eventListLineCount(m.eventCount));
    EXPECT_EQ(counters.downLines, 2);
    EXPECT_EQ(counters.upLines, 2); // the action-9 event counts as neither
    for (int k = 0; k < m.eventCount; ++k) {
        EXPECT_FALSE(isDelayLine(eventLineOf(k)));
        EXPECT_EQ(eventOfLine(eventLineOf(k)), k);
        if (k > 0) {
            EXPECT_TRUE(isDelayLine(delayLineBefore(k)));
            EXPECT_EQ(list.lines[delayLineBefore(k)], delayLineText(m.delays[k - 1]));
            EXPECT_EQ(eventOfLine(delayLineBefore(k)), k - 1);
        }
    }
    EXPECT_EQ(eventListLineCount(0), 0);
    EXPECT_EQ(eventListLineCount(1), 1);
    EXPECT_EQ(eventListLineCount(3), 5);
}

class RecordingSink : public EventListSink {
public:
    void appendLine(const QString& text) override { lines.append(text); }
    int lineCount() const override { return static_cast<int>(lines.size()); }
    void setSelection(int line) override { selections.push_back(line); }
    void requestRepaint() override { ++repaints; }
    QStringList lines;
    std::vector<int> selections;
    int repaints = 0;
};

TEST(EventLines, SelectionFollowsRecordingOrTheEditorsLine) {
    const MacroSlot m = macroOf({{65, 1, 10}, {65, 2, 10}, {66, 1, 10}});
    RecordingSink list;
    EventLineCounters counters;
    for (int k = 0; k < 3; ++k)
        addEventLines(list, counters, m, k, true, {.recording = true, .selectedLine = 0});
    EXPECT_EQ(list.selections, (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(list.repaints, 3);

    RecordingSink edited;
    for (int k = 0; k < 3; ++k)
        addEventLines(edited, counters, m, k, true, {.recording = false, .selectedLine = 3});
    EXPECT_EQ(edited.selections, (std::vector<int>{3, 3, 3}));
}

TEST(EventLines, EventsOutsideTheRecordAppendNothing) {
    const MacroSlot m{};
    RecordingSink list;
    EventLineCounters counters;
    addEventLines(list, counters, m, -1, true, {});
    addEventLines(list, counters, m, kMacroEventCapacity, true, {});
    EXPECT_TRUE(list.lines.isEmpty());
    EXPECT_EQ(list.repaints, 0);
    addEventLines(list, counters, m, kMacroEventCapacity - 1, true, {});
    EXPECT_EQ(list.lines.size(), 2);
}

} // namespace
} // namespace vux
