#pragma once

#include "platform.h"

namespace test_support {

// A platform that passes every call on to another one: a test overrides
// only what it stands in for.
class PlatformWrapper : public Module1::Platform {
public:
    explicit PlatformWrapper(Module1::Platform& target) : target_(target) {}

    void MakeDriveCurrent(const std::string& drive) override { target_.MakeDriveCurrent(drive); }
    std::unique_ptr<Module1::Folder> OpenFolder(const std::string& path) override { return target_.OpenFolder(path); }
    std::size_t FolderHandleBudget() override { return target_.FolderHandleBudget(); }
    void LowerReaderPriority() override { target_.LowerReaderPriority(); }
    Module1::OutputSystem& Output() override { return target_.Output(); }
    std::vector<Module1::Drive> ListDrives() override { return target_.ListDrives(); }
    std::string CurrentFolder() override { return target_.CurrentFolder(); }
    bool FolderNamedBy(const std::string& path, std::string& folder, std::string& failure) override {
        return target_.FolderNamedBy(path, folder, failure);
    }
    bool ListSubFolders(const std::string& folder, std::vector<std::string>& names, std::string& failure) override {
        return target_.ListSubFolders(folder, names, failure);
    }

private:
    Module1::Platform& target_;
};

}  // namespace test_support
