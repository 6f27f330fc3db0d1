#pragma once
// Runs the built skin generator into a folder, as the build does.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace vux::test {

struct GeneratorRun {
    int exitCode = -1;
    QByteArray errors; // what it wrote on standard error
};

inline GeneratorRun runSkinGenerator(const QString& folder) {
    QProcess generator;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    generator.setProcessEnvironment(env);
    generator.start(QStringLiteral(VUX_SKIN_GENERATOR), {folder});
    if (!generator.waitForFinished(120000))
        return {};
    return {generator.exitCode(), generator.readAllStandardError()};
}

} // namespace vux::test
