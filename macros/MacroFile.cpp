#include "macros/MacroFile.h"

#include "app/AppState.h"
#include "platform/ini/IniFile.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>

namespace vux {

namespace {

const QString kSection = QStringLiteral("Macros");
const QString kCountKey = QStringLiteral("macroNum");

constexpr int kHeaderBytes = 44;
constexpr int kEventsOffset = offsetof(MacroSlot, events);
constexpr int kDelaysOffset = offsetof(MacroSlot, delays);

// "macroNum" is read with room for two characters, as the table never holds more than 12.
constexpr int kCountBuffer = 3;

using SlotBytes = std::array<uint8_t, sizeof(MacroSlot)>;

SlotBytes bytesOf(const MacroSlot& slot) {
    SlotBytes bytes;
    std::memcpy(bytes.data(), &slot, sizeof slot);
    return bytes;
}

bool isBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

// One field as a decimal text-to-integer conversion reads it: leading blanks,
// an optional sign, then digits up to the first other character; nothing
// readable gives 0. At most three characters, so no overflow is possible.
int fieldValue(const QChar* chars, int n) {
    int i = 0;
    while (i < n && isBlank(chars[i]))
        ++i;
    bool negative = false;
    if (i < n && (chars[i] == u'+' || chars[i] == u'-')) {
        negative = chars[i] == u'-';
        ++i;
    }
    int value = 0;
    for (; i < n && chars[i] >= u'0' && chars[i] <= u'9'; ++i)
        value = value * 10 + (chars[i].unicode() - u'0');
    return negative ? -value : value;
}

QString countText(int16_t count) {
    return QString::number(count);
}

} // namespace

int macroFieldOffset(int field) {
    if (field < kHeaderBytes)
        return field;
    const int k = (field - kHeaderBytes) / 4;
    switch ((field - kHeaderBytes) % 4) {
    case 0:
        return kEventsOffset + 2 * k; // keyCode
    case 1:
        return kEventsOffset + 2 * k + 1; // action
    case 2:
        return kDelaysOffset + 2 * k; // delay, low byte
    default:
        return kDelaysOffset + 2 * k + 1; // delay, high byte
    }
}

void appendField3(QString& text, uint8_t value) {
    const QChar digits[3] = {QChar(u'0' + value / 100), QChar(u'0' + value / 10 % 10),
                             QChar(u'0' + value % 10)};
    text.append(digits, 3);
}

QString padField3(const QString& text, uint8_t value) {
    QString out = text;
    appendField3(out, value);
    return out;
}

QString encodeMacroLine(const MacroSlot& slot) {
    const SlotBytes bytes = bytesOf(slot);
    QString line;
    line.reserve(kMacroLineLength);
    for (int d = 0; d < kMacroFieldCount; ++d)
        appendField3(line, bytes[static_cast<size_t>(macroFieldOffset(d))]);
    return line;
}

MacroSlot decodeMacroLine(QStringView line) {
    SlotBytes bytes{};
    const qsizetype size = line.size();
    for (int d = 0; d < kMacroFieldCount; ++d) {
        const qsizetype start = qsizetype(d) * 3;
        if (start >= size)
            break; // every later field is missing too and stays 0
        const int n = static_cast<int>(std::min<qsizetype>(3, size - start));
        bytes[static_cast<size_t>(macroFieldOffset(d))] =
            static_cast<uint8_t>(fieldValue(line.data() + start, n));
    }
    MacroSlot slot;
    std::memcpy(&slot, bytes.data(), sizeof slot);
    // A foreign file may fill all 40 name bytes; the name must still end inside them.
    slot.name[kMacroNameUnits - 1] = 0;
    return slot;
}

int16_t decodeMacroCount(const QString& text) {
    return static_cast<int16_t>(std::clamp(ini::wtoi(text), 0, kMacroMax));
}

bool loadMacroFile(MacroTable& table, const QString& path) {
    const bool present = QFileInfo(path).isFile();
    const int16_t count =
        decodeMacroCount(ini::readString(path, kSection, kCountKey, kCountBuffer));

    // Decode everything first so the lock is held only for the copy.
    std::array<MacroSlot, kMacroMax> loaded;
    for (int i = 0; i < count; ++i)
        loaded[static_cast<size_t>(i)] = decodeMacroLine(
            ini::readString(path, kSection, QString::number(i), kMacroLineLength + 1));

    std::lock_guard guard(table.lock);
    for (int i = 0; i < count; ++i)
        table.slotAt(i) = loaded[static_cast<size_t>(i)];
    table.macroCount = count;
    table.selectedMacro = count >= 1 ? count - 1 : 0;
    return present;
}

bool loadMacroFile(AppState& state, const QString& path) {
    return loadMacroFile(state.macros, path);
}

bool saveMacroFile(const MacroTable& table, const QString& path) {
    std::array<MacroSlot, kMacroMax> copies;
    int16_t count = 0;
    {
        std::lock_guard guard(table.lock);
        count = static_cast<int16_t>(std::clamp<int>(table.macroCount, 0, kMacroMax));
        for (int i = 0; i < count; ++i)
            copies[static_cast<size_t>(i)] = table.slotAt(i);
    }
    ini::WriteBatch batch;
    batch.set(kSection, kCountKey, countText(count));
    for (int i = 0; i < count; ++i)
        batch.set(kSection, QString::number(i), encodeMacroLine(copies[static_cast<size_t>(i)]));
    return batch.commit(path);
}

bool saveMacroFile(const AppState& state, const QString& path) {
    return saveMacroFile(state.macros, path);
}

QString macroName(const MacroSlot& slot) {
    char16_t units[kMacroNameUnits];
    std::memcpy(units, slot.name, sizeof units);
    const auto end = std::find(std::begin(units), std::end(units), u'\0');
    return QString::fromUtf16(units, end - std::begin(units));
}

void setMacroName(MacroSlot& slot, const QString& name) {
    char16_t units[kMacroNameUnits] = {};
    qsizetype n = std::min<qsizetype>(name.size(), kMacroNameUnits - 1);
    if (n > 0 && n < name.size() && name.at(n - 1).isHighSurrogate())
        --n; // never keep half of a character
    for (qsizetype i = 0; i < n; ++i)
        units[i] = name.at(i).unicode();
    std::memcpy(slot.name, units, sizeof units);
}

int findMacroByName(const MacroTable& table, const QString& name) {
    std::lock_guard guard(table.lock);
    const int count = std::clamp<int>(table.macroCount, 0, kMacroTableSize);
    for (int i = 0; i < count; ++i)
        if (macroName(table.slotAt(i)) == name)
            return i;
    return count;
}

QString defaultMacroFilePath(const AppState& state) {
    return state.shell.skinsFolder + (state.shell.isEnglish != 0
                                          ? QStringLiteral("/INI_EN/defMacro.dat")
                                          : QStringLiteral("/INI_CN/defMacro.dat"));
}

QString userMacroFilePath(const AppState& state) {
    return state.shell.appFolder + (state.shell.isEnglish != 0 ? QStringLiteral("/Macro_EN.dat")
                                                               : QStringLiteral("/Macro_CN.dat"));
}

bool resetMacrosToDefault(AppState& state, const std::function<void()>& refreshMacroPage) {
    const QString defaults = defaultMacroFilePath(state);
    // Loading a missing file empties the table, and saving that would wipe the
    // user's macros; without the defaults the reset leaves both alone.
    if (!QFileInfo(defaults).isFile())
        return false;
    loadMacroFile(state.macros, defaults);
    if (state.view.viewMode == 1) {
        if (refreshMacroPage)
            refreshMacroPage();
        state.requestRepaint();
    }
    // Loading and saving (not copying) leaves the user's file in the writer's layout.
    return saveMacroFile(state.macros, userMacroFilePath(state));
}

} // namespace vux
