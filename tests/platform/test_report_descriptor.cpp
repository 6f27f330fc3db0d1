#include "platform/hid/ReportDescriptor.h"
#include "tools/virtual-mouse/VirtualMouseDescriptor.h"

#include <gtest/gtest.h>

namespace vux::hid {
namespace {

using Bytes = std::vector<uint8_t>;

// A plain three-button wheel mouse without report IDs (boot-protocol layout).
const Bytes kPlainMouse{0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05,
                        0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03,
                        0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x03, 0x05,
                        0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F,
                        0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0};

// A keyboard with LEDs (report ID 1) and a consumer-control collection (report ID 2).
const Bytes kKeyboardWithReportIds{
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15,
    0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x03,
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75,
    0x03, 0x91, 0x03, 0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00,
    0x29, 0x65, 0x81, 0x00, 0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x15, 0x00,
    0x26, 0xFF, 0x03, 0x19, 0x00, 0x2A, 0xFF, 0x03, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0};

TEST(ReportDescriptor, PlainMouseHasOneCollectionWithoutReportIdByte) {
    const auto c = parseReportDescriptor(kPlainMouse);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].caps, (Caps{0x0001, 0x0002, 4, 0, 0}));
    EXPECT_FALSE(c[0].usesReportIds);
}

TEST(ReportDescriptor, KeyboardCollectionsCountTheirReportIdByte) {
    const auto c = parseReportDescriptor(kKeyboardWithReportIds);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].caps, (Caps{0x0001, 0x0006, 9, 2, 0}));
    EXPECT_EQ(c[0].inputReportIds, Bytes{1});
    EXPECT_EQ(c[1].caps, (Caps{0x000C, 0x0001, 3, 0, 0}));
    EXPECT_EQ(c[1].inputReportIds, Bytes{2});
}

TEST(ReportDescriptor, VirtualMouseLooksLikeTheTeskMouse) {
    struct Case {
        tools::VirtualMouseShape shape;
        std::vector<Caps> expected;
    } cases[] = {
        {{9, 9, true, true}, {{1, 2, 5, 0, 0}, {0xFF00, 1, 9, 0, 0}, {0xFF01, 1, 0, 0, 9}}},
        {{65, 300, true, true}, {{1, 2, 5, 0, 0}, {0xFF00, 1, 65, 0, 0}, {0xFF01, 1, 0, 0, 300}}},
        {{9, 9, false, true}, {{1, 2, 5, 0, 0}, {0xFF01, 1, 0, 0, 9}}},
        {{9, 9, true, false}, {{1, 2, 5, 0, 0}, {0xFF00, 1, 9, 0, 0}}},
    };
    for (const Case& c : cases) {
        const auto parsed = parseReportDescriptor(tools::virtualMouseReportDescriptor(c.shape));
        std::vector<Caps> caps;
        for (const auto& p : parsed)
            caps.push_back(p.caps);
        EXPECT_EQ(caps, c.expected) << c.shape.inputLength << "/" << c.shape.featureLength;
    }
}

TEST(ReportDescriptor, LongestReportOfEachIdWinsAndPushPopRestoreState) {
    const Bytes d{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,       // vendor collection
                  0x75, 0x08, 0x85, 0x03, 0x95, 0x04, 0x81, 0x02, // ID 3: 4 bytes
                  0xA4,                                           // push
                  0x85, 0x04, 0x95, 0x10, 0xB1, 0x02,             // ID 4 feature: 16 bytes
                  0xB4,                                           // pop: back to ID 3, count 4
                  0x81, 0x02,                                     // ID 3: 8 bytes in all
                  0xC0};
    const auto c = parseReportDescriptor(d);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].caps, (Caps{0xFF00, 1, 9, 0, 17}));
    EXPECT_EQ(c[0].inputReportIds, Bytes{3});
}

TEST(ReportDescriptor, ExtendedUsageNamesItsOwnPage) {
    const Bytes d{0x05, 0x01, 0x0B, 0x01, 0x00, 0x01, 0xFF, 0xA1,
                  0x01, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0xC0};
    const auto c = parseReportDescriptor(d);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].caps.usagePage, 0xFF01);
    EXPECT_EQ(c[0].caps.usage, 1);
}

TEST(ReportDescriptor, TruncatedAndHostileInputStaysInBounds) {
    // Cut at every length: whatever comes out, nothing is read past the end.
    for (std::size_t n = 0; n <= kKeyboardWithReportIds.size(); ++n)
        parseReportDescriptor(std::span<const uint8_t>(kKeyboardWithReportIds.data(), n));
    // An unclosed collection yields nothing; a huge count saturates.
    EXPECT_TRUE(
        parseReportDescriptor(Bytes{0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08}).empty());
    const Bytes huge{0x09, 0x01, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97,
                     0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0x81, 0x02, 0xC0};
    const auto c = parseReportDescriptor(huge);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].caps.inputReportByteLength, 0xFFFF);
    // A long item that claims more bytes than there are ends the parse.
    EXPECT_TRUE(parseReportDescriptor(Bytes{0xFE, 0xFF, 0x00, 0x01}).empty());
}

} // namespace
} // namespace vux::hid
