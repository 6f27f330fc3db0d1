#pragma once
// Macro files: a private-profile INI file with section "Macros", the key
// "macroNum" holding the number of macros, and under key "0", "1", ... one line
// per macro of 1064 three-digit fields (3192 characters): the 44 header bytes of
// the record, then for each of the 255 event positions the key code, the action
// and the two bytes of the delay after it.

#include "macros/MacroTable.h"

#include <QString>
#include <QStringView>

#include <functional>

namespace vux {

struct AppState;

inline constexpr int kMacroFieldCount = 1064;
inline constexpr int kMacroLineLength = kMacroFieldCount * 3; // 3192
inline constexpr int kMacroNameUnits = 20;                    // 19 characters and the terminator

// What the user is told when a macro file to load is missing.
inline QString missingMacroFileMessage() {
    return QStringLiteral("找不到配置文件");
}

// Record byte (offset into MacroSlot) carried by file field d (0..1063).
int macroFieldOffset(int field);

// text with value appended as three digits ("005", "030", "255").
QString padField3(const QString& text, uint8_t value);
void appendField3(QString& text, uint8_t value);

// The 3192-character line of one slot, and back. Decoding reads what is there:
// missing or short fields and fields that are not numbers read as 0; the name
// always ends in a NUL within its 40 bytes.
QString encodeMacroLine(const MacroSlot& slot);
MacroSlot decodeMacroLine(QStringView line);

// "macroNum" as the table can hold it: 0..12.
int16_t decodeMacroCount(const QString& text);

// Replaces entries 0..count-1, macroCount and selectedMacro from the file;
// entries from count on stay as they were. Returns false when the file is
// missing (the table then holds 0 macros); the caller tells the user.
bool loadMacroFile(MacroTable& table, const QString& path);
bool loadMacroFile(AppState& state, const QString& path);

// Writes "macroNum" and entries 0..macroCount-1 in one replacement of the file.
// Keys of entries beyond them that the file held stay. Returns false when the
// file could not be written.
bool saveMacroFile(const MacroTable& table, const QString& path);
bool saveMacroFile(const AppState& state, const QString& path);

// Index of the first macro among 0..macroCount-1 whose name equals name exactly
// (case-sensitive); macroCount when none does.
int findMacroByName(const MacroTable& table, const QString& name);

// The name of a slot (up to its first NUL), and a name stored into a slot, cut
// to 19 UTF-16 units without splitting a surrogate pair.
QString macroName(const MacroSlot& slot);
void setMacroName(MacroSlot& slot, const QString& name);

// The default macro file of the language and the user's macro file beside the program.
QString defaultMacroFilePath(const AppState& state);
QString userMacroFilePath(const AppState& state);

// The macro step of the factory reset: loads the language's default macros and
// saves them as the user's macro file. When the macro page shows,
// refreshMacroPage runs after the load and the window is repainted. Returns
// false, leaving the table and the user's file untouched, when the default
// file is missing; the caller tells the user.
bool resetMacrosToDefault(AppState& state, const std::function<void()>& refreshMacroPage = {});

} // namespace vux
