#pragma once
// How macro events read in the event list of the macro page: key names and the
// lines of one event. Line 0 is event 0; for k >= 1 line 2k - 1 is the delay
// before event k (the wait after event k - 1) and line 2k is event k.

#include "macros/MacroTable.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace vux {

// Display name of a key code: letters and digits as themselves, the named keys
// of the table, and for every other code "Not Available" (English) or
// "不可录制" (Chinese).
QString keyName(uint8_t code, bool english);

// The name of the table for a code, or nullptr when the code has none (then
// keyName gives the language's text for keys that cannot be recorded).
const char* keyTableName(uint8_t code);

QString delayLineText(uint16_t ms);                // "    120ms"
QString eventLineText(MacroEvent e, bool english); // "[↓]A", "[↑]A", or the bare name

// Line layout of a macro's event list.
constexpr int eventLineOf(int event) {
    return 2 * event;
}
constexpr int delayLineBefore(int event) {
    return 2 * event - 1;
} // event >= 1
constexpr bool isDelayLine(int line) {
    return line % 2 == 1;
}
constexpr int eventOfLine(int line) {
    return line / 2;
}
constexpr int eventListLineCount(int events) {
    return events > 0 ? 2 * events - 1 : 0;
}

// Where the event lines go: the list widget of the macro page, or a plain list.
class EventListSink {
public:
    virtual ~EventListSink() = default;
    virtual void appendLine(const QString& text) = 0;
    virtual int lineCount() const = 0;
    virtual void setSelection(int line) = 0;
    // The whole main window repaints, so the counters drawn on it follow.
    virtual void requestRepaint() {}
};

class StringListSink final : public EventListSink {
public:
    void appendLine(const QString& text) override { lines.append(text); }
    int lineCount() const override { return static_cast<int>(lines.size()); }
    void setSelection(int line) override { selection = line; }

    QStringList lines;
    int selection = -1;
};

// Presses and releases shown since the list was last cleared.
struct EventLineCounters {
    int32_t downLines = 0;
    int32_t upLines = 0;
};

// What the list's owner tells addEventLines about the selection: while
// recording the newest line is selected, otherwise selectedLine.
struct EventListSelection {
    bool recording = false;
    int32_t selectedLine = 0;
};

// Appends the lines of event `event` of macro to list (the delay line before it
// for event >= 1, then the event line), counts a press or release, requests a
// repaint and sets the selection. Events outside 0..254 append nothing.
void addEventLines(EventListSink& list, EventLineCounters& counters, const MacroSlot& macro,
                   int event, bool english, EventListSelection selection);

} // namespace vux
