// Macro file coding and file access, each against the plain way of doing it:
// decoding with a text-to-integer call per field, building a line by returning
// a new string per field, and saving key by key instead of in one batch.

#include "macros/MacroFile.h"
#include "platform/ini/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

namespace {

using namespace vux;

MacroSlot sampleMacro(int seed) {
    std::mt19937 rng(static_cast<unsigned>(seed));
    std::uniform_int_distribution<int> byte(0, 255);
    MacroSlot m{};
    auto* raw = reinterpret_cast<uint8_t*>(&m);
    for (size_t i = 0; i < sizeof m; ++i)
        raw[i] = static_cast<uint8_t>(byte(rng));
    std::memset(m.name, 0, sizeof m.name);
    setMacroName(m, QStringLiteral("Macro %1").arg(seed));
    return m;
}

void fillTable(MacroTable& table) {
    for (int i = 0; i < kMacroMax; ++i)
        table.slotAt(i) = sampleMacro(i);
    table.macroCount = kMacroMax;
}

void BM_DecodeLine(benchmark::State& state) {
    const QString line = encodeMacroLine(sampleMacro(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeMacroLine(line));
}
BENCHMARK(BM_DecodeLine);

// Baseline: every field cut out as a string and converted with the INI layer's wtoi.
void BM_DecodeLine_BaselineWtoiPerField(benchmark::State& state) {
    const QString line = encodeMacroLine(sampleMacro(1));
    for (auto _ : state) {
        uint8_t bytes[sizeof(MacroSlot)] = {};
        for (int d = 0; d < kMacroFieldCount; ++d)
            bytes[macroFieldOffset(d)] = static_cast<uint8_t>(ini::wtoi(line.mid(d * 3, 3)));
        MacroSlot m;
        std::memcpy(&m, bytes, sizeof m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_DecodeLine_BaselineWtoiPerField);

void BM_EncodeLine(benchmark::State& state) {
    const MacroSlot m = sampleMacro(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeMacroLine(m));
}
BENCHMARK(BM_EncodeLine);

// Baseline: the line grown by padField3, a new string per field.
void BM_EncodeLine_BaselinePadField3Chain(benchmark::State& state) {
    const MacroSlot m = sampleMacro(2);
    uint8_t bytes[sizeof(MacroSlot)];
    std::memcpy(bytes, &m, sizeof m);
    for (auto _ : state) {
        QString line;
        for (int d = 0; d < kMacroFieldCount; ++d)
            line = padField3(line, bytes[macroFieldOffset(d)]);
        benchmark::DoNotOptimize(line);
    }
}
BENCHMARK(BM_EncodeLine_BaselinePadField3Chain);

void BM_SaveTwelveMacros(benchmark::State& state) {
    QTemporaryDir dir;
    MacroTable table;
    fillTable(table);
    const QString path = dir.filePath("Macro_EN.dat");
    for (auto _ : state)
        saveMacroFile(table, path);
}
BENCHMARK(BM_SaveTwelveMacros)->Unit(benchmark::kMicrosecond);

// Baseline: one replacement of the file per key, as key-at-a-time INI writes do.
void BM_SaveTwelveMacros_BaselineKeyByKey(benchmark::State& state) {
    QTemporaryDir dir;
    MacroTable table;
    fillTable(table);
    const QString path = dir.filePath("Macro_EN.dat");
    for (auto _ : state) {
        ini::writeString(path, "Macros", "macroNum", QString::number(kMacroMax));
        for (int i = 0; i < kMacroMax; ++i)
            ini::writeString(path, "Macros", QString::number(i), encodeMacroLine(table.slotAt(i)));
    }
}
BENCHMARK(BM_SaveTwelveMacros_BaselineKeyByKey)->Unit(benchmark::kMicrosecond);

void BM_LoadTwelveMacros(benchmark::State& state) {
    QTemporaryDir dir;
    MacroTable table;
    fillTable(table);
    const QString path = dir.filePath("Macro_EN.dat");
    saveMacroFile(table, path);
    MacroTable loaded;
    for (auto _ : state)
        loadMacroFile(loaded, path);
}
BENCHMARK(BM_LoadTwelveMacros)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
