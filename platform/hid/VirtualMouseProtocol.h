#pragma once
// The virtual mouse's transport: one UNIX sequenced-packet socket per virtual
// mouse in a per-user folder of mode 0700. Each packet is one message:
//
//   server → client, on connect: 'D' vendor:u16 product:u16 (little endian),
//                                then the HID report descriptor
//   client → server: 'O' collection:u8 mode:u8    (mode: 0 probe, 1 read, 2 write)
//   client → server: 'F' report bytes             (a feature report, report ID first)
//   server → client: 'I' report bytes             (an input report, to readers)
//
// An interface path is the socket path, '#', and the collection's index.

#include "platform/hid/HidBackend.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vux::hid::virt {

inline constexpr char kDescription = 'D';
inline constexpr char kOpen = 'O';
inline constexpr char kFeature = 'F';
inline constexpr char kInput = 'I';

enum class OpenMode : uint8_t { Probe = 0, Read = 1, Write = 2 };

inline constexpr std::size_t kMaxPacket = 4096;
inline constexpr const char* kSocketSuffix = ".sock";

struct Description {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::vector<uint8_t> reportDescriptor;
};

std::vector<uint8_t> encodeDescription(const Description& d);
std::optional<Description> decodeDescription(std::span<const uint8_t> packet);

// The folder of the virtual mice: created with mode 0700 when missing; empty
// when it exists but is not the user's own closed folder.
QString virtualMouseFolder();

QString interfacePath(const QString& socketPath, int collection);
// Splits an interface path; nullopt when it is not one of ours.
std::optional<std::pair<QString, int>> splitInterfacePath(const QString& path);

} // namespace vux::hid::virt
