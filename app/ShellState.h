#pragma once
// Variables of the application shell: where the program's files are, the
// interface language, the profile in force and the small UI flags.

#include "platform/Relaxed.h"

#include <QString>

#include <cstdint>

namespace vux {

struct ShellState {
    // Set once before any worker starts and never changed afterwards.
    QString appFolder;   // folder of the program file, no trailing slash
    QString configPath;  // appFolder + "/config.ini"
    QString skinsFolder; // appFolder + "/skins"
    QString maskPath;    // skinsFolder + "/main_mask.jpg"

    Guarded<QString> macroFilePath;  // "Macro_EN.dat" or "Macro_CN.dat" beside the program
    Relaxed<int32_t> isEnglish;      // nonzero: English interface
    Relaxed<int32_t> currentProfile; // 1..5
    Guarded<QString> profileSection; // INI section last addressed by the profile store
    Relaxed<int32_t> maskWidth;
    Relaxed<int32_t> maskHeight;
    Relaxed<uint8_t> menuOpen;
    Relaxed<int32_t> editSlot;
    Relaxed<uint8_t> blinkRunning;
};

} // namespace vux
