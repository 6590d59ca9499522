#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform.h"
#include "search_error.h"
#include "texts.h"

namespace test_support {

// A folder tree held in memory, listed in exactly the order it was built.
struct FakeNode {
    std::vector<Module1::FindData> entries;
    std::map<std::string, std::shared_ptr<FakeNode>> children;
    std::string enter_failure;  // entering this folder fails with this reason
    bool other_volume = false;  // a mount point: not entered
    std::string listing_error;  // the listing breaks off after its entries with this reason

    FakeNode& File(const std::string& name, std::uint32_t attributes = Module1::kAttrNormal) {
        entries.push_back({attributes, name});
        return *this;
    }
    FakeNode& Dir(const std::string& name, std::uint32_t attributes = Module1::kAttrDirectory) {
        entries.push_back({attributes, name});
        auto& child = children[name];
        if (!child) child = std::make_shared<FakeNode>();
        return *child;
    }
    // Every real folder lists "." and ".." first.
    static FakeNode WithDots() {
        FakeNode node;
        node.File(".", Module1::kAttrDirectory | Module1::kAttrHidden);
        node.File("..", Module1::kAttrDirectory | Module1::kAttrHidden);
        return node;
    }
};

// The folders from one up to the start folder, so that a fake folder can go up.
struct FakeTrail {
    const FakeNode* node;
    std::shared_ptr<const FakeTrail> up;
};

class FakeFolder final : public Module1::Folder {
public:
    explicit FakeFolder(std::shared_ptr<const FakeTrail> trail) : trail_(std::move(trail)), node_(*trail_->node) {}
    bool Next(Module1::FindData& entry) override {
        if (next_ >= node_.entries.size()) return false;
        entry = node_.entries[next_++];
        return true;
    }
    std::string ListingError() const override { return node_.listing_error; }
    Module1::EnteredFolder Enter(const std::string& name) override {
        const auto found = node_.children.find(name);
        if (found == node_.children.end()) return {nullptr, "No such file or directory"};
        const FakeNode& child = *found->second;
        if (child.other_volume) return {};
        if (!child.enter_failure.empty()) return {nullptr, child.enter_failure};
        return {std::make_unique<FakeFolder>(std::make_shared<const FakeTrail>(FakeTrail{&child, trail_})), {}};
    }
    std::unique_ptr<Module1::Folder> Up() override {
        if (!trail_->up) return nullptr;
        return std::make_unique<FakeFolder>(trail_->up);
    }
    Module1::FolderIdentity Identity() override { return {0, reinterpret_cast<std::uintptr_t>(&node_)}; }

private:
    std::shared_ptr<const FakeTrail> trail_;
    const FakeNode& node_;
    std::size_t next_ = 0;
};

// Serves the fake tree at one start path.
class FakePlatform final : public Module1::Platform {
public:
    FakePlatform(std::string start, FakeNode root) : start_(std::move(start)), root_(std::move(root)) {}
    void MakeDriveCurrent(const std::string& drive) override { drives.push_back(drive); }
    std::unique_ptr<Module1::Folder> OpenFolder(const std::string& path) override {
        if (path != start_) throw Module1::SearchError(Module1::kCannotOpenStartFolder, path, "No such file or directory");
        return std::make_unique<FakeFolder>(std::make_shared<const FakeTrail>(FakeTrail{&root_, nullptr}));
    }
    std::vector<std::string> drives;

private:
    std::string start_;
    FakeNode root_;
};

}  // namespace test_support
