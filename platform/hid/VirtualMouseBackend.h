#pragma once
// The program's side of the virtual mice: each socket in the user's virtual
// mice folder is one device with its collections; the folder is watched for
// mice that appear and disappear.

#include "platform/hid/HidBackend.h"

#include <QString>

#include <map>
#include <memory>

class QFileSystemWatcher;

namespace vux::hid {

class VirtualMouseBackend : public HidBackend {
public:
    // folder empty: the user's virtual mice folder.
    explicit VirtualMouseBackend(QString folder = {});
    ~VirtualMouseBackend() override;

    std::vector<InterfaceInfo> enumerate() override;
    std::unique_ptr<InputChannel> openInput(const QString& path) override;
    std::unique_ptr<FeatureChannel> openFeature(const QString& path) override;
    void watch(std::function<void(const DeviceChange&)> onChange) override;

    // True when the path names an interface of this backend.
    bool owns(const QString& path) const;

private:
    std::map<QString, int> scan(); // socket path → collection count
    void folderChanged();

    QString folder_;
    std::unique_ptr<QFileSystemWatcher> watcher_;
    std::map<QString, int> known_;
    std::function<void(const DeviceChange&)> onChange_;
};

} // namespace vux::hid
