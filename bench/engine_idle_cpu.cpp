// CPU time of the running program in 10 idle seconds with the (virtual)
// mouse connected, read from /proc/<pid>/stat. Baseline in the same run: two
// threads that look at a flag every 2 ms for the same time (a reader and an
// executor that poll), measured with the thread CPU clocks.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono;

namespace {

constexpr auto kIdle = seconds(10);

double processCpuSeconds(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // Fields after the command name, which is in parentheses: utime and stime are 14 and 15.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / ticks;
}

// Nanoseconds on a CPU of every live thread (schedstat), finer than the clock ticks of stat.
double threadsCpuSeconds(qint64 pid) {
    double total = 0;
    QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks.filePath(tid) + "/schedstat");
        if (f.open(QIODevice::ReadOnly))
            total += f.readAll().split(' ').value(0).toDouble() / 1e9;
    }
    return total;
}

bool waitForLine(QProcess& p, const QByteArray& prefix, int timeoutMs) {
    QByteArray all;
    const auto deadline = steady_clock::now() + milliseconds(timeoutMs);
    while (steady_clock::now() < deadline) {
        p.waitForReadyRead(100);
        all += p.readAllStandardOutput();
        for (const QByteArray& line : all.split('\n'))
            if (line.startsWith(prefix))
                return true;
    }
    return false;
}

double pollingBaselineCpuSeconds() {
    std::atomic<bool> flag{false};
    std::atomic<long> cpuNs{0};
    auto poller = [&](std::stop_token stop) {
        while (!stop.stop_requested()) {
            (void)flag.load();
            std::this_thread::sleep_for(milliseconds(2));
        }
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        cpuNs += ts.tv_sec * 1000000000L + ts.tv_nsec;
    };
    {
        std::jthread reader(poller), executor(poller);
        std::this_thread::sleep_for(kIdle);
    }
    return static_cast<double>(cpuNs.load()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath() + "/..";
    QTemporaryDir box, runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!QFile::copy(folder + "/VUX_GMouse", box.path() + "/VUX_GMouse")) {
        std::fprintf(stderr, "build VUX_GMouse first\n");
        return 1;
    }
    QProcess::execute("cp", {"-r", folder + "/skins", box.path() + "/skins"});
    QFile config(box.path() + "/config.ini");
    config.open(QIODevice::WriteOnly);
    // Buttons 4 and 5 carried out by the computer: the reader and executor are in use.
    config.write("[Init]\r\nCurConfig=1\r\nVER_SEL=1\r\n[Config1]\r\nK1=1\r\nK2=2\r\nK3=3\r\nK4="
                 "31\r\nK5=26\r\n"
                 "K6=18\r\nK7=17\r\nK8=13\r\nDPI_SET_EN1=1\r\nDPI_SET_EN2=1\r\nFIRE_TIME=50\r\n");
    config.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess mouse, program;
    mouse.setProcessEnvironment(env);
    program.setProcessEnvironment(env);
    mouse.setProcessChannelMode(QProcess::SeparateChannels);
    mouse.start(folder + "/virtual-mouse", {});
    mouse.waitForStarted(20000);
    if (!waitForLine(mouse, "ready", 20000)) {
        std::fprintf(stderr, "the virtual mouse did not start\n");
        return 1;
    }
    program.setStandardErrorFile(QProcess::nullDevice());
    program.start(box.path() + "/VUX_GMouse", {});
    program.waitForStarted(20000);
    if (!waitForLine(mouse, "feature 07 12", 30000)) {
        std::fprintf(stderr, "the program did not apply its profile\n");
        return 1;
    }
    mouse.write("click 4\n"); // the acknowledgement: the reader processes events from now on
    mouse.waitForBytesWritten();
    std::this_thread::sleep_for(seconds(1)); // start-up work settles

    const qint64 pid = program.processId();
    const double before = processCpuSeconds(pid);
    const double threadsBefore = threadsCpuSeconds(pid);
    std::this_thread::sleep_for(kIdle);
    const double after = processCpuSeconds(pid);
    const double threadsAfter = threadsCpuSeconds(pid);
    const int threads = static_cast<int>(QDir(QStringLiteral("/proc/%1/task").arg(pid))
                                             .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                             .size());
    if (program.state() != QProcess::Running || before < 0 || after < 0) {
        std::fprintf(stderr, "the program did not keep running\n");
        return 1;
    }
    mouse.write("quit\n");
    program.terminate();
    program.waitForFinished(5000);
    program.kill();
    mouse.waitForFinished(5000);

    const double baseline = pollingBaselineCpuSeconds();
    const double used = after - before;
    const double usedThreads = threadsAfter - threadsBefore;
    std::printf("program threads: %d, CPU used since start %.3f s\n", threads, threadsAfter);
    std::printf(
        "program, idle %lld s with the mouse connected: %.3f s CPU by /proc stat ticks, %.6f s by "
        "thread schedstat (%.4f%% of one core)\n",
        static_cast<long long>(kIdle.count()), used, usedThreads,
        100.0 * usedThreads / kIdle.count());
    std::printf(
        "baseline, two threads polling every 2 ms for %lld s: %.6f s CPU (%.4f%% of one core)\n",
        static_cast<long long>(kIdle.count()), baseline, 100.0 * baseline / kIdle.count());
    if (usedThreads > 0)
        std::printf("ratio baseline/program: %.1fx\n", baseline / usedThreads);
    return 0;
}
