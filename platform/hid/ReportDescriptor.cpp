#include "platform/hid/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <map>

namespace vux::hid {

namespace {

enum class ItemType : uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

enum MainTag : uint8_t {
    Input = 0x8,
    Output = 0x9,
    Collection = 0xA,
    Feature = 0xB,
    EndCollection = 0xC
};
enum GlobalTag : uint8_t {
    UsagePage = 0x0,
    ReportSize = 0x7,
    ReportId = 0x8,
    ReportCount = 0x9,
    Push = 0xA,
    Pop = 0xB
};
enum LocalTag : uint8_t { Usage = 0x0 };

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr std::size_t kMaxGlobalStack = 32;
constexpr std::size_t kMaxCollections = 256;
constexpr uint64_t kMaxReportBits = 0xFFFFull * 8;

struct GlobalState {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

enum ReportKind { kInput = 0, kOutput = 1, kFeature = 2, kKinds = 3 };

struct OpenCollection {
    Caps caps;
    bool usesReportIds = false;
    // Bits per report ID and kind; the longest report of each kind wins.
    std::map<uint32_t, std::array<uint64_t, kKinds>> bits;
};

uint16_t byteLength(const OpenCollection& c, ReportKind kind) {
    uint64_t longest = 0;
    for (const auto& [id, perKind] : c.bits)
        longest = std::max(longest, perKind[kind]);
    if (longest == 0)
        return 0;
    const uint64_t bytes = (longest + 7) / 8 + (c.usesReportIds ? 1 : 0);
    return static_cast<uint16_t>(std::min<uint64_t>(bytes, 0xFFFF));
}

} // namespace

std::vector<CollectionCaps> parseReportDescriptor(std::span<const uint8_t> d) {
    std::vector<CollectionCaps> result;
    GlobalState global;
    std::vector<GlobalState> stack;
    std::vector<uint32_t> usages; // local usages since the last main item
    int depth = 0;
    OpenCollection current;

    auto finish = [&] {
        current.caps.inputReportByteLength = byteLength(current, kInput);
        current.caps.outputReportByteLength = byteLength(current, kOutput);
        current.caps.featureReportByteLength = byteLength(current, kFeature);
        std::vector<uint8_t> inputIds;
        for (const auto& [id, perKind] : current.bits)
            if (perKind[kInput] > 0)
                inputIds.push_back(static_cast<uint8_t>(id));
        result.push_back({current.caps, current.usesReportIds, std::move(inputIds)});
        current = {};
    };

    std::size_t pos = 0;
    while (pos < d.size()) {
        const uint8_t prefix = d[pos];
        if (prefix == kLongItemPrefix) {
            // Long items carry no data the caps depend on.
            if (pos + 1 >= d.size())
                break;
            const std::size_t size = d[pos + 1];
            pos += 3 + size;
            continue;
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (pos + 1 + size > d.size())
            break;
        uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= static_cast<uint32_t>(d[pos + 1 + i]) << (8 * i);
        pos += 1 + size;

        const auto type = static_cast<ItemType>((prefix >> 2) & 3);
        const uint8_t tag = prefix >> 4;
        switch (type) {
        case ItemType::Main:
            switch (tag) {
            case Collection:
                if (depth == 0) {
                    if (result.size() >= kMaxCollections)
                        return result;
                    current = {};
                    const uint32_t usage = usages.empty() ? 0 : usages.front();
                    // A four-byte usage names its own page in the high half.
                    current.caps.usagePage =
                        static_cast<uint16_t>(usage > 0xFFFF ? usage >> 16 : global.usagePage);
                    current.caps.usage = static_cast<uint16_t>(usage & 0xFFFF);
                }
                ++depth;
                break;
            case EndCollection:
                if (depth > 0 && --depth == 0)
                    finish();
                break;
            case Input:
            case Output:
            case Feature:
                if (depth > 0) {
                    const ReportKind kind = tag == Input    ? kInput
                                            : tag == Output ? kOutput
                                                            : kFeature;
                    uint64_t& bits = current.bits[global.reportId][kind];
                    bits = std::min(bits + uint64_t{global.reportSize} * global.reportCount,
                                    kMaxReportBits);
                    if (global.reportId != 0)
                        current.usesReportIds = true;
                }
                break;
            default:
                break;
            }
            usages.clear();
            break;
        case ItemType::Global:
            switch (tag) {
            case UsagePage:
                global.usagePage = value & 0xFFFF;
                break;
            case ReportSize:
                global.reportSize = value;
                break;
            case ReportCount:
                global.reportCount = value;
                break;
            case ReportId:
                global.reportId = value & 0xFF;
                break;
            case Push:
                if (stack.size() < kMaxGlobalStack)
                    stack.push_back(global);
                break;
            case Pop:
                if (!stack.empty()) {
                    global = stack.back();
                    stack.pop_back();
                }
                break;
            default:
                break;
            }
            break;
        case ItemType::Local:
            if (tag == Usage && usages.size() < 64)
                usages.push_back(size == 4 ? value : (value & 0xFFFF));
            break;
        case ItemType::Reserved:
            break;
        }
    }
    return result;
}

} // namespace vux::hid
