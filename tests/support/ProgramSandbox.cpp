#include "tests/support/ProgramSandbox.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <stdexcept>

namespace vux::test {

ProgramSandbox::ProgramSandbox(const QString& programPath)
    : builtFolder_(QFileInfo(programPath).absolutePath()) {
    if (!dir_.isValid() || !runtime_.isValid())
        throw std::runtime_error("cannot create sandbox folders");
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!QFile::copy(programPath, this->programPath()))
        throw std::runtime_error("cannot copy the program into the sandbox");
}

ProgramSandbox::~ProgramSandbox() {
    for (auto& p : processes_) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
}

void ProgramSandbox::writeFile(const QString& relativePath, const QByteArray& bytes) const {
    const QString path = folder() + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write sandbox file");
}

QByteArray ProgramSandbox::readFile(const QString& relativePath) const {
    QFile f(folder() + "/" + relativePath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ProgramSandbox::copyIn(const QString& source, const QString& relativePath) const {
    const QString target = folder() + "/" + relativePath;
    if (QFileInfo(source).isDir()) {
        QDirIterator it(source, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString dest = target + "/" + QDir(source).relativeFilePath(file);
            QDir().mkpath(QFileInfo(dest).path());
            QFile::remove(dest);
            QFile::copy(file, dest);
        }
    } else {
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        QFile::copy(source, target);
    }
}

void ProgramSandbox::copyDeliveredData() const {
    copyIn(builtFolder_ + "/skins", "skins");
    for (const char* name : {"Macro_EN.dat", "Macro_CN.dat"})
        copyIn(builtFolder_ + "/" + name, name);
}

QProcessEnvironment ProgramSandbox::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtimeFolder());
    if (!env.contains("QT_QPA_PLATFORM") || env.value("DISPLAY").isEmpty())
        env.insert("QT_QPA_PLATFORM", env.value("DISPLAY").isEmpty() ? "offscreen" : "xcb");
    return env;
}

QProcess& ProgramSandbox::start(const QStringList& args, const QProcessEnvironment& env) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env.isEmpty() ? environment() : env);
    p->setWorkingDirectory(QDir::rootPath()); // the program must not depend on it
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(programPath(), args);
    processes_.push_back(std::move(p));
    return *processes_.back();
}

bool waitFor(const std::function<bool()>& pred, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

} // namespace vux::test
