// Macro files are shared between users: whatever a file holds, loading it
// keeps the table in bounds, names terminated and the blank entry blank, and a
// decoded entry survives a save and load unchanged.

#include "macros/MacroFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace vux;

namespace {

bool isBlank(const MacroSlot& slot) {
    static const MacroSlot blank{};
    return std::memcmp(&slot, &blank, sizeof slot) == 0;
}

QString scratchPath() {
    return QStringLiteral("/tmp/vux_fuzz_macro_file_%1.dat").arg(getpid());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // The line decoder alone, on the input read as text.
    const MacroSlot decoded = decodeMacroLine(QString::fromUtf8(bytes));
    if (decoded.name[kMacroNameUnits - 1] != 0)
        std::abort();
    // Encoding gives a full line that decodes to the same record.
    const QString line = encodeMacroLine(decoded);
    if (line.size() != kMacroLineLength)
        std::abort();
    const MacroSlot again = decodeMacroLine(line);
    if (std::memcmp(&again, &decoded, sizeof again) != 0)
        std::abort();
    const int16_t count = decodeMacroCount(QString::fromLatin1(bytes.left(8)));
    if (count < 0 || count > kMacroMax)
        std::abort();

    // The whole file through the INI reader.
    const QString path = scratchPath();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(bytes);
    }
    MacroTable table;
    loadMacroFile(table, path);
    if (table.macroCount < 0 || table.macroCount > kMacroMax)
        std::abort();
    if (table.selectedMacro != (table.macroCount > 0 ? table.macroCount - 1 : 0))
        std::abort();
    for (int i = 0; i < kMacroTableSize; ++i) {
        const MacroSlot slot = table.snapshot(i);
        if (slot.name[kMacroNameUnits - 1] != 0)
            std::abort();
        if (i >= table.macroCount && !isBlank(slot))
            std::abort();
    }
    (void)findMacroByName(table, macroName(table.snapshot(0)));
    QFile::remove(path);
    return 0;
}
