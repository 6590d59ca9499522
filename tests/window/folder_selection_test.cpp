// Where the lists open when the current folder or a drive cannot be read:
// the same fallbacks for both front ends.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "folder_selection.h"

namespace {

// A file system in which only the listed folders can be opened; records what was tried.
struct Lists {
    std::set<std::string> readable;
    std::vector<std::string> tried;
    OpenFolderList Opener() {
        return [this](const std::string& root, const std::string& folder, std::string& failure) {
            tried.push_back(root + "|" + folder);
            failure = "Permission denied";
            return readable.count(folder) > 0;
        };
    }
};

// Three drives; the current folder lies on the last.
#ifdef _WIN32
const std::string kRoot = "C:\\", kUsb = "D:\\", kHome = "E:\\", kCurrent = "E:\\ann\\web";
#else
const std::string kRoot = "/", kUsb = "/media/usb", kHome = "/home", kCurrent = "/home/ann/web";
#endif
const std::vector<Module1::Drive> kDrives = {{kRoot, "root"}, {kUsb, "usb"}, {kHome, "home"}};

struct StartCase {
    std::string label;
    std::set<std::string> readable;
    std::string opened;  // the drive the lists open on; empty: none
    friend std::ostream& operator<<(std::ostream& os, const StartCase& c) { return os << c.label; }
};

class StartFolder : public testing::TestWithParam<StartCase> {};

TEST_P(StartFolder, FallsBackToTheDrivesRootThenToAnyDrive) {
    Lists lists;
    lists.readable = GetParam().readable;
    EXPECT_EQ(OpenStartFolder(kDrives, kCurrent, lists.Opener()), GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, StartFolder,
    testing::Values(StartCase{"current_folder", {kCurrent, kHome, kRoot}, kHome},
                    StartCase{"its_drives_root", {kHome, kRoot}, kHome},
                    StartCase{"first_other_drive", {kUsb}, kUsb},
                    StartCase{"nothing_readable", {}, ""}),
    [](const auto& info) { return info.param.label; });

TEST(DriveChange, TriesTheDrivesFolderThenItsRootAndSaysWhyNeitherOpens) {
    Lists lists;
    std::string failure;
    lists.readable = {"/media/usb"};
    EXPECT_TRUE(OpenDrive("/media/usb", "/media/usb/photos", lists.Opener(), failure));
    lists.readable.clear();
    EXPECT_FALSE(OpenDrive("/media/usb", "/media/usb", lists.Opener(), failure));
    EXPECT_EQ(failure, "Permission denied");
    EXPECT_EQ(lists.tried, (std::vector<std::string>{"/media/usb|/media/usb/photos", "/media/usb|/media/usb",
                                                     "/media/usb|/media/usb"}));
}

}  // namespace
