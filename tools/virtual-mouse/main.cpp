// virtual-mouse: plays the TESK mouse on a socket the program finds like the
// real mouse, so the program runs without the hardware. Commands on standard
// input, one per line: press N, release N, click N, raw HEX..., unplug, plug,
// quit. Every feature report received is written as one line "feature 07 10 …".

#include "platform/hid/VirtualMouseServer.h"
#include "tools/virtual-mouse/VirtualMouseDescriptor.h"
#include "tools/virtual-mouse/VirtualMouseFirmware.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

using namespace vux;

namespace {

constexpr uint16_t kVendorId = 0x18F8;
constexpr uint16_t kProductId = 0x0F99;

struct Options {
    int inputLength = 9;
    int featureLength = 9;
    bool withRead = true;
    bool withWrite = true;
    const char* logPath = nullptr;
};

[[noreturn]] void usage(const char* program) {
    std::fprintf(
        stderr,
        "usage: %s [--input-length N] [--feature-length N] [--omit read|write] [--log FILE]\n"
        "commands on stdin: press N | release N | click N | raw HEX... | unplug | plug | quit\n",
        program);
    std::exit(2);
}

int lengthArg(const char* text, const char* program) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!end || *end || v < 0 || v > 4000)
        usage(program);
    return static_cast<int>(v);
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc)
            usage(argv[0]);
        const char* value = argv[++i];
        if (a == "--input-length")
            o.inputLength = lengthArg(value, argv[0]);
        else if (a == "--feature-length")
            o.featureLength = lengthArg(value, argv[0]);
        else if (a == "--omit" && std::strcmp(value, "read") == 0)
            o.withRead = false;
        else if (a == "--omit" && std::strcmp(value, "write") == 0)
            o.withWrite = false;
        else if (a == "--log")
            o.logPath = value;
        else
            usage(argv[0]);
    }
    return o;
}

hid::virt::Description describe(const Options& o) {
    const tools::VirtualMouseShape shape{o.inputLength, o.featureLength, o.withRead, o.withWrite};
    return {kVendorId, kProductId, tools::virtualMouseReportDescriptor(shape)};
}

std::string hexLine(const char* word, std::span<const uint8_t> bytes) {
    std::string line = word;
    char hex[4];
    for (uint8_t b : bytes) {
        std::snprintf(hex, sizeof hex, " %02x", b);
        line += hex;
    }
    return line;
}

void say(std::FILE* out, const std::string& line) {
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    std::FILE* log = stdout;
    if (options.logPath && !(log = std::fopen(options.logPath, "a"))) {
        std::perror(options.logPath);
        return 1;
    }

    hid::virt::VirtualMouseServer server(describe(options));
    tools::VirtualMouseFirmware firmware(
        options.inputLength,
        [&server](const std::vector<uint8_t>& report) { server.sendInput(report); });
    if (!server.plug()) {
        std::fprintf(stderr, "virtual-mouse: cannot create its socket in the runtime folder\n");
        return 1;
    }
    say(stdout, "ready");

    auto onLine = [&](const std::string& line) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        int button = 0;
        if (command == "press" && in >> button) {
            firmware.press(button);
        } else if (command == "release" && in >> button) {
            firmware.release(button);
        } else if (command == "click" && in >> button) {
            firmware.press(button);
            firmware.release(button);
        } else if (command == "raw") {
            std::vector<uint8_t> report;
            std::string word;
            while (in >> word)
                report.push_back(static_cast<uint8_t>(std::strtoul(word.c_str(), nullptr, 16)));
            server.sendInput(report);
        } else if (command == "unplug") {
            server.unplug();
        } else if (command == "plug") {
            if (server.plug())
                say(stdout, "ready");
        } else if (command == "quit") {
            return false;
        } else if (!command.empty()) {
            std::fprintf(stderr, "virtual-mouse: unknown command: %s\n", line.c_str());
        }
        return true;
    };
    auto onFeature = [&](std::span<const uint8_t> report) {
        say(log, hexLine("feature", report));
        firmware.featureReport(report);
    };
    server.serve(0, onLine, onFeature);
    server.unplug();
    if (log != stdout)
        std::fclose(log);
    return 0;
}
