#pragma once
// Writes the layout files of both languages from the description.

#include "Skin.h"

#include <QString>
#include <QStringList>

namespace skin {

// One file of one language: its name below the skin folder and its bytes
// (UTF-16LE with byte-order mark, CRLF line ends).
struct LayoutFile {
    QString path; // e.g. "INI_EN/skin_main_en.ini"
    QByteArray bytes;
};

std::vector<LayoutFile> layoutFiles(const Skin& skin);

// Texts that the INI syntax or the row format cannot carry unchanged.
QStringList unsafeTexts(const Skin& skin);

} // namespace skin
