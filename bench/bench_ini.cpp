// INI engine costs, each next to a baseline in the same run:
// - reading one key vs only reading the file's bytes (the parse overhead),
//   for a config.ini-sized file and for a 50 MB file;
// - writing one key vs a batch of a whole profile (23 keys): what storing a
//   profile as one replacement costs against a single key write.
#include "platform/ini/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

const char* const kProfileKeys[] = {
    "K1",          "K2",         "K3",          "K4",           "K5",          "K6",
    "K7",          "K8",         "DPI_LEVEL",   "WHEEL_STATUS", "MACRO_MODE2", "DPI_SET1",
    "DPI_SET_EN1", "DPI_SET2",   "DPI_SET_EN2", "DPI_SET3",     "DPI_SET_EN3", "DPI_SET4",
    "DPI_SET_EN4", "LED_STATUS", "DPI_SPEED",   "WHEEL_SPEED",  "FIRE_TIME"};

// Init plus eleven profile sections, as the delivered file has (about 3 KB).
std::string configSizedFile() {
    std::string text = "[Init]\r\nCurConfig=1\r\nVER_SEL=1\r\n";
    const char* const sections[] = {"Config1",   "Config2",   "Config3",     "Config4",
                                    "Config5",   "Config6",   "CfgReset2",   "CfgReset3",
                                    "CfgReset4", "CfgReset5", "CfgReset_EN5"};
    for (const char* section : sections) {
        text += std::string("\r\n[") + section + "]\r\n";
        for (const char* key : kProfileKeys)
            text += std::string(key) + "=1\r\n";
    }
    return text;
}

std::string largeFile() {
    std::string text;
    text.reserve(51u << 20);
    for (int i = 0; text.size() < (50u << 20); ++i)
        text += "[Section" + std::to_string(i) + "]\r\nkey=" + std::string(40, 'v') + "\r\n";
    return text + "[Config6]\r\nFIRE_TIME=50\r\n";
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    explicit Fixture(const std::string& content) : path(dir.filePath("config.ini")) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content.data(), qint64(content.size()));
    }
};

void BM_FileBytesOnly_ConfigSized(benchmark::State& state) {
    Fixture f(configSizedFile());
    for (auto _ : state) {
        QFile file(f.path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
}
BENCHMARK(BM_FileBytesOnly_ConfigSized);

void BM_ReadKey_ConfigSized(benchmark::State& state) {
    Fixture f(configSizedFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(vux::ini::readString(f.path, "CfgReset_EN5", "FIRE_TIME", 5));
}
BENCHMARK(BM_ReadKey_ConfigSized);

void BM_FileBytesOnly_50MB(benchmark::State& state) {
    Fixture f(largeFile());
    for (auto _ : state) {
        QFile file(f.path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
}
BENCHMARK(BM_FileBytesOnly_50MB)->Unit(benchmark::kMillisecond);

void BM_ReadKey_50MB(benchmark::State& state) {
    Fixture f(largeFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(vux::ini::readString(f.path, "config6", "fire_time", 5));
}
BENCHMARK(BM_ReadKey_50MB)->Unit(benchmark::kMillisecond);

void BM_WriteOneKey_ConfigSized(benchmark::State& state) {
    Fixture f(configSizedFile());
    int value = 0;
    for (auto _ : state)
        vux::ini::writeString(f.path, "Config6", "FIRE_TIME", QString::number(++value % 300));
}
BENCHMARK(BM_WriteOneKey_ConfigSized)->Unit(benchmark::kMicrosecond);

void BM_WriteProfileBatch_ConfigSized(benchmark::State& state) {
    Fixture f(configSizedFile());
    int value = 0;
    for (auto _ : state) {
        vux::ini::WriteBatch batch;
        ++value;
        for (const char* key : kProfileKeys)
            batch.set("Config6", key, QString::number(value % 300));
        batch.commit(f.path);
    }
}
BENCHMARK(BM_WriteProfileBatch_ConfigSized)->Unit(benchmark::kMicrosecond);

void BM_WriteProfileKeyByKey_ConfigSized(benchmark::State& state) {
    Fixture f(configSizedFile());
    int value = 0;
    for (auto _ : state) {
        ++value;
        for (const char* key : kProfileKeys)
            vux::ini::writeString(f.path, "Config6", key, QString::number(value % 300));
    }
}
BENCHMARK(BM_WriteProfileKeyByKey_ConfigSized)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
