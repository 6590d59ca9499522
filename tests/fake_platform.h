#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform.h"
#include "platform_wrapper.h"
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

// What a test sees of the fake's folders and how it steers them; shared by
// all folders of one platform, from any thread.
struct FakeScript {
    std::atomic<int> live{0};       // folders open now
    std::atomic<int> most_live{0};  // the most open at once
    std::atomic<long> enters{0};    // sub-folders entered by name
    std::atomic<long> ups{0};       // folders opened again through ".."
    // Called with the name before an Enter answers (from the thread that
    // enters); it may wait, and a reason it returns makes the Enter fail.
    std::function<std::string(const std::string& name)> on_enter;
    // Where ".." leads instead of the folder above, as if the folder had
    // been moved; nullptr: the folder above.
    std::function<const FakeNode*(const FakeNode& from)> up_to;
};

// The folders from one up to the start folder, so that a fake folder can go up.
struct FakeTrail {
    const FakeNode* node;
    std::shared_ptr<const FakeTrail> up;
};

class FakeFolder final : public Module1::Folder {
public:
    FakeFolder(std::shared_ptr<const FakeTrail> trail, FakeScript* script)
        : trail_(std::move(trail)), node_(*trail_->node), script_(script) {
        if (script_ == nullptr) return;
        const int live = ++script_->live;
        for (int most = script_->most_live; live > most && !script_->most_live.compare_exchange_weak(most, live);) {
        }
    }
    ~FakeFolder() override {
        if (script_ != nullptr) --script_->live;
    }
    FakeFolder(const FakeFolder&) = delete;
    FakeFolder& operator=(const FakeFolder&) = delete;

    bool Next(Module1::FindData& entry) override {
        if (next_ >= node_.entries.size()) return false;
        entry = node_.entries[next_++];
        return true;
    }
    std::string ListingError() const override { return node_.listing_error; }
    Module1::EnteredFolder Enter(const std::string& name) override {
        if (script_ != nullptr) {
            ++script_->enters;
            if (script_->on_enter) {
                if (std::string reason = script_->on_enter(name); !reason.empty()) return {nullptr, reason};
            }
        }
        const auto found = node_.children.find(name);
        if (found == node_.children.end()) return {nullptr, "No such file or directory"};
        const FakeNode& child = *found->second;
        if (child.other_volume) return {};
        if (!child.enter_failure.empty()) return {nullptr, child.enter_failure};
        return {std::make_unique<FakeFolder>(std::make_shared<const FakeTrail>(FakeTrail{&child, trail_}), script_), {}};
    }
    std::unique_ptr<Module1::Folder> Up() override {
        if (script_ != nullptr) {
            ++script_->ups;
            if (script_->up_to) {
                if (const FakeNode* elsewhere = script_->up_to(node_)) {
                    return std::make_unique<FakeFolder>(std::make_shared<const FakeTrail>(FakeTrail{elsewhere, nullptr}), script_);
                }
            }
        }
        if (!trail_->up) return nullptr;
        return std::make_unique<FakeFolder>(trail_->up, script_);
    }
    Module1::FileIdentity Identity() override { return {0, reinterpret_cast<std::uintptr_t>(&node_)}; }

private:
    std::shared_ptr<const FakeTrail> trail_;
    const FakeNode& node_;
    FakeScript* script_;
    std::size_t next_ = 0;
};

// Serves the fake tree at one start path; the rest is the system's own.
class FakePlatform final : public PlatformWrapper {
public:
    FakePlatform(std::string start, FakeNode root)
        : PlatformWrapper(Module1::NativePlatform()), start_(std::move(start)), root_(std::move(root)) {}
    void MakeDriveCurrent(const std::string& drive) override { drives.push_back(drive); }
    std::unique_ptr<Module1::Folder> OpenFolder(const std::string& path) override {
        if (path != start_) throw Module1::SearchError(Module1::kCannotOpenStartFolder, path, "No such file or directory");
        return std::make_unique<FakeFolder>(std::make_shared<const FakeTrail>(FakeTrail{&root_, nullptr}), &script);
    }
    Module1::OutputSystem& Output() override { return output != nullptr ? *output : PlatformWrapper::Output(); }
    std::vector<std::string> drives;
    Module1::OutputSystem* output = nullptr;  // a double in place of the system's calls
    FakeScript script;

private:
    std::string start_;
    FakeNode root_;
};

}  // namespace test_support
