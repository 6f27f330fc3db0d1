// Writes the delivered default macro files, skins/INI_EN/defMacro.dat and
// skins/INI_CN/defMacro.dat, with the program's own macro file writer:
//   default-macros <skins folder>
// The files are kept in the repository as data; run this after changing the
// macros in DefaultMacros.cpp.

#include "macros/MacroFile.h"
#include "tools/default-macros/DefaultMacros.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SKINS_FOLDER\n", argv[0]);
        return 2;
    }
    const QString skins = QString::fromLocal8Bit(argv[1]);
    for (bool english : {true, false}) {
        const QString folder =
            skins + (english ? QStringLiteral("/INI_EN") : QStringLiteral("/INI_CN"));
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/defMacro.dat");
        QFile::remove(path); // written fresh, in the writer's layout

        vux::MacroTable table;
        const auto macros = vux::defaultMacros(english);
        for (size_t i = 0; i < macros.size(); ++i)
            table.slotAt(static_cast<int>(i)) = macros[i];
        table.macroCount = static_cast<int16_t>(macros.size());
        if (!vux::saveMacroFile(table, path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s: %zu macros\n", qPrintable(path), macros.size());
    }
    return 0;
}
