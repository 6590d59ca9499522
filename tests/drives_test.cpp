#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "drives.h"
#include "test_support.h"

namespace {

using namespace Module1;

std::vector<std::string> MountPoints(const std::vector<Drive>& drives) {
    std::vector<std::string> points;
    for (const Drive& d : drives) points.push_back(d.mount_point);
    return points;
}

struct TableCase {
    const char* name;
    const char* table;
    std::vector<std::string> expected;
};

class DrivesFromMountTableTest : public testing::TestWithParam<TableCase> {};

TEST_P(DrivesFromMountTableTest, KeepsWhatAUserWouldPick) {
    EXPECT_EQ(MountPoints(DrivesFromMountTable(GetParam().table)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, DrivesFromMountTableTest,
    testing::Values(
        TableCase{"Desktop",
                  "/dev/nvme0n1p2 / ext4 rw 0 0\n"
                  "proc /proc proc rw 0 0\n"
                  "sysfs /sys sysfs rw 0 0\n"
                  "tmpfs /run tmpfs rw 0 0\n"
                  "tmpfs /tmp tmpfs rw 0 0\n"
                  "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
                  "devpts /dev/pts devpts rw 0 0\n"
                  "/dev/nvme0n1p1 /boot/efi vfat rw 0 0\n"
                  "/dev/loop3 /snap/core/123 squashfs ro 0 0\n"
                  "/dev/nvme0n1p3 /home ext4 rw 0 0\n"
                  "/dev/sdb1 /run/media/ann/USB\\040STICK vfat rw 0 0\n"
                  "/dev/sdc1 /run/user/1000/x ext4 rw 0 0\n"
                  "nas:/share /mnt/nas nfs4 rw 0 0\n"
                  "//srv/docs /mnt/docs cifs rw 0 0\n"
                  "ann@host:/ /mnt/remote fuse.sshfs rw 0 0\n",
                  {"/", "/home", "/mnt/docs", "/mnt/nas", "/mnt/remote", "/run/media/ann/USB STICK"}},
        // In a container the root is an overlay, and the host's disk is bound
        // onto a few places; a place mounted twice shows once.
        TableCase{"Container",
                  "overlay / overlay rw 0 0\n"
                  "/dev/vda /work ext4 rw 0 0\n"
                  "/dev/vda /work ext4 rw 0 0\n"
                  "/dev/vda /var/lib/docker/x ext4 rw 0 0\n"
                  "shm /dev/shm tmpfs rw 0 0\n",
                  {"/", "/work"}},
        TableCase{"RootAlwaysListed", "proc /proc proc rw 0 0\n/dev/sda1 /data xfs rw 0 0\n",
                  {"/", "/data"}},
        // An escape may end the field; a cut-off one stays as it is.
        TableCase{"EscapeAtTheEnd", "/dev/sdb1 /mnt/disk\\040 ext4 rw 0 0\n/dev/sdc1 /mnt/b\\04 ext4 rw 0 0\n",
                  {"/", "/mnt/b\\04", "/mnt/disk "}},
        TableCase{"BrokenLinesSkipped", "garbage\n\n/dev/sda1 /a\\134b ext4 rw 0 0\n/dev/sda2\n",
                  {"/", "/a\\b"}}),
    [](const testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

TEST(DriveHoldingTest, PicksTheLongestMountPointOnAPathBoundary) {
    const std::vector<Drive> drives = {{"/", "/"}, {"/home", "/home"}, {"/home/ann/usb", "usb"}};
    EXPECT_EQ(DriveHolding(drives, "/usr/bin"), "/");
    EXPECT_EQ(DriveHolding(drives, "/home"), "/home");
    EXPECT_EQ(DriveHolding(drives, "/home/ann"), "/home");
    EXPECT_EQ(DriveHolding(drives, "/homework"), "/");
    EXPECT_EQ(DriveHolding(drives, "/home/ann/usb/photos"), "/home/ann/usb");
    EXPECT_EQ(DriveHolding({{"/data", "/data"}}, "/usr"), "");
}

TEST(ListDrivesTest, HoldsTheRootAndOnlyFolders) {
    const std::vector<Drive> drives = NativePlatform().ListDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().mount_point, "/");
    for (const Drive& d : drives) EXPECT_TRUE(std::filesystem::is_directory(d.mount_point)) << d.mount_point;
}

TEST(CurrentFolderTest, IsTheProcessCurrentFolder) {
    test_support::TempFolder temp;
    const std::string before = NativePlatform().CurrentFolder();
    ASSERT_EQ(chdir(temp.path().c_str()), 0);
    EXPECT_EQ(NativePlatform().CurrentFolder(), std::filesystem::canonical(temp.path()).string());
    ASSERT_EQ(chdir(before.c_str()), 0);
}

TEST(ListSubFoldersTest, ListsFoldersAndLinksToFoldersOnly) {
    test_support::TempFolder temp;
    temp.Folder("Beta");
    temp.Folder("alpha/inner");
    temp.Folder(".hidden");
    temp.File("file.htm");
    std::filesystem::create_directory_symlink(temp.path() + "/alpha", temp.path() + "/link");
    std::filesystem::create_symlink(temp.path() + "/file.htm", temp.path() + "/filelink");
    temp.Folder(std::string("bad\xff") + "name");

    std::vector<std::string> names;
    std::string failure;
    ASSERT_TRUE(NativePlatform().ListSubFolders(temp.path(), names, failure)) << failure;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".hidden", "Beta", "alpha", std::string("bad\xff") + "name", "link"}));
}

TEST(ListSubFoldersTest, AFolderThatCannotBeListedGivesTheReason) {
    std::vector<std::string> names{"stale"};
    std::string failure;
    EXPECT_FALSE(NativePlatform().ListSubFolders("/no/such/folder", names, failure));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(failure, "No such file or directory");
}

}  // namespace
