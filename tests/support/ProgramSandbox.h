#pragma once
// A private copy of the program for end-to-end tests: the executable copied
// into a fresh folder (the program finds its data beside itself), with its own
// runtime folder so it never meets another instance.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vux::test {

class ProgramSandbox {
public:
    // programPath: the built VUX_GMouse.
    explicit ProgramSandbox(const QString& programPath);
    ~ProgramSandbox();

    QString folder() const { return dir_.path(); }
    QString programPath() const { return folder() + "/VUX_GMouse"; }
    QString runtimeFolder() const { return runtime_.path(); }
    QString configPath() const { return folder() + "/config.ini"; }

    void writeFile(const QString& relativePath, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relativePath) const;
    // Copies a file or a whole folder into the sandbox.
    void copyIn(const QString& source, const QString& relativePath) const;
    // Copies the data delivered beside the built program (skins, macro files).
    void copyDeliveredData() const;

    // Environment for a process of the sandbox: its runtime folder, offscreen Qt.
    QProcessEnvironment environment() const;

    // Starts a process of the program; owned by the sandbox, killed at the end.
    QProcess& start(const QStringList& args = {}, const QProcessEnvironment& env = {});

private:
    QString builtFolder_;
    QTemporaryDir dir_;
    QTemporaryDir runtime_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

// Waits until pred() holds, processing Qt events, for at most timeoutMs.
bool waitFor(const std::function<bool()>& pred, int timeoutMs);

} // namespace vux::test
