#include "platform/host_drives.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "fixture.h"

namespace {

using platform::DriveType;
using platform::HostDrive;
using platform::MountEntry;
using testing_support::ScratchDir;
using testing_support::writeFile;
namespace fs = std::filesystem;

MountEntry mount(std::string point, std::string type, std::string source = "/dev/sda1", unsigned major = 8,
                 unsigned minor = 1) {
    return {std::move(point), std::move(type), std::move(source), major, minor};
}

TEST(MountInfo, ParsesFieldsAroundTheSeparator) {
    struct Row {
        const char* name;
        std::string line;
        std::vector<MountEntry> expected;
    };
    const std::vector<Row> rows{
        {"no optional fields",
         "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw,discard",
         {mount("/", "ext4", "/dev/vda", 254, 0)}},
        {"one optional field", "29 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw", {mount("/", "ext4")}},
        {"several optional fields",
         "80 29 8:17 /sub /mnt/usb rw,nosuid shared:5 master:1 propagate_from:2 unbindable - vfat /dev/sdb1 "
         "rw,fmask=22",
         {mount("/mnt/usb", "vfat", "/dev/sdb1", 8, 17)}},
        {"space in the mount point",
         "90 29 8:17 / /media/eva/USB\\040DISK rw shared:7 - vfat /dev/sdb1 rw",
         {mount("/media/eva/USB DISK", "vfat", "/dev/sdb1", 8, 17)}},
        {"tab, newline and backslash",
         "91 29 8:2 / /a\\011b\\012c\\134d rw - ext4 /dev/sda2 rw",
         {mount("/a\tb\nc\\d", "ext4", "/dev/sda2", 8, 2)}},
        {"escape in the source",
         "92 29 0:51 / /mnt/remote rw - fuse.sshfs eva@host:/my\\040files rw",
         {mount("/mnt/remote", "fuse.sshfs", "eva@host:/my files", 0, 51)}},
        {"short escape kept as written",
         "93 29 8:2 / /x\\04 rw - ext4 /dev/sda2 rw",
         {mount("/x\\04", "ext4", "/dev/sda2", 8, 2)}},
        {"non-octal escape kept as written",
         "94 29 8:2 / /x\\089 rw - ext4 /dev/sda2 rw",
         {mount("/x\\089", "ext4", "/dev/sda2", 8, 2)}},
        {"empty source", "95 29 0:60 / /mnt/t rw - tmpfs  rw", {mount("/mnt/t", "tmpfs", "", 0, 60)}},
        {"large device numbers",
         "96 29 259:1048575 / /nvme rw - xfs /dev/nvme0n1p1 rw",
         {mount("/nvme", "xfs", "/dev/nvme0n1p1", 259, 1048575)}},
        {"separator missing", "97 29 8:2 / /x rw shared:1 ext4 /dev/sda2 rw", {}},
        {"nothing after the separator", "98 29 8:2 / /x rw - ext4", {}},
        {"device number without colon", "99 29 82 / /x rw - ext4 /dev/sda2 rw", {}},
        {"device number not a number", "99 29 8:x / /x rw - ext4 /dev/sda2 rw", {}},
        {"blank line", "", {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(platform::parseMountInfo(r.line), r.expected);
    }
}

TEST(MountInfo, ReadsEveryLineAndSkipsOnlyTheBrokenOnes) {
    const std::string text =
        "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
        "garbage\n"
        "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "\n"
        "80 27 8:17 / /media/usb rw shared:5 - vfat /dev/sdb1 rw";  // the last line may lack its newline
    EXPECT_EQ(platform::parseMountInfo(text),
              (std::vector<MountEntry>{mount("/proc", "proc", "proc", 0, 21),
                                       mount("/", "ext4", "/dev/vda", 254, 0),
                                       mount("/media/usb", "vfat", "/dev/sdb1", 8, 17)}));
}

TEST(MountInfo, PseudoFileSystemsAreNoDisks) {
    for (const char* type :
         {"proc",       "sysfs",     "cgroup",          "cgroup2",     "devpts",      "devtmpfs", "tmpfs",
          "ramfs",      "tracefs",   "debugfs",         "securityfs",  "pstore",      "bpf",      "mqueue",
          "hugetlbfs",  "configfs",  "fusectl",         "autofs",      "binfmt_misc", "nsfs",     "efivarfs",
          "rpc_pipefs", "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal", "squashfs"}) {
        SCOPED_TRACE(type);
        EXPECT_FALSE(platform::isDiskFileSystem(mount("/x", type)));
    }
    for (const char* type : {"ext4", "xfs", "btrfs", "vfat", "exfat", "ntfs3", "fuseblk", "iso9660", "udf",
                             "nfs4", "cifs", "fuse.sshfs", "overlay", "zfs"}) {
        SCOPED_TRACE(type);
        EXPECT_TRUE(platform::isDiskFileSystem(mount("/x", type)));
    }
}

// The layout the kernel shows: /sys/dev/block/MAJ:MIN links into /sys/devices, partitions sit inside their
// disk.
class FakeSysfs : public ::testing::Test {
  protected:
    void addDevice(const std::string& numbers, const std::string& devicePath, const char* removable) {
        const fs::path device = dir_ / "sys/devices" / devicePath;
        fs::create_directories(device);
        if (removable != nullptr) writeFile(device / "removable", std::string(removable) + "\n");
        fs::create_directories(dir_ / "sys/dev/block");
        fs::create_directory_symlink(fs::path("../../devices") / devicePath,
                                     dir_ / "sys/dev/block" / numbers);
    }
    void SetUp() override {
        addDevice("8:0", "pci0/ata1/block/sda", "0");
        addDevice("8:1", "pci0/ata1/block/sda/sda1", nullptr);
        addDevice("8:16", "pci0/usb1/block/sdb", "1");
        addDevice("8:17", "pci0/usb1/block/sdb/sdb1", nullptr);
        addDevice("11:0", "pci0/ata2/block/sr0", "1");
        addDevice("7:0", "virtual/block/loop0", "0");
    }
    std::string root() const { return dir_.path().string(); }
    ScratchDir dir_;
};

TEST_F(FakeSysfs, DriveTypeComesFromTheDeviceAndTheFileSystem) {
    struct Row {
        const char* name;
        MountEntry mount;
        DriveType expected;
    };
    const std::vector<Row> rows{
        {"partition of a fixed disk", mount("/", "ext4", "/dev/sda1", 8, 1), DriveType::Fixed},
        {"partition of a removable disk", mount("/m", "vfat", "/dev/sdb1", 8, 17), DriveType::Removable},
        {"whole removable disk", mount("/m", "vfat", "/dev/sdb", 8, 16), DriveType::Removable},
        {"sr0 by its device name", mount("/m", "ext2", "/dev/sr0", 11, 0), DriveType::Optical},
        {"sr0 through another name", mount("/m", "ext2", "/dev/cdrom", 11, 0), DriveType::Optical},
        {"iso9660 on a loop device", mount("/m", "iso9660", "/dev/loop0", 7, 0), DriveType::Optical},
        {"udf on a removable disk", mount("/m", "udf", "/dev/sdb1", 8, 17), DriveType::Optical},
        {"device sysfs does not know", mount("/m", "ext4", "/dev/nvme0n1p1", 259, 1), DriveType::Fixed},
        {"anonymous device", mount("/m", "btrfs", "/dev/sdb1", 0, 42), DriveType::Fixed},
        {"loop device", mount("/m", "ext4", "/dev/loop0", 7, 0), DriveType::Fixed},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(platform::driveTypeOf(r.mount, root()), r.expected);
        EXPECT_EQ(platform::driveTypeOf(r.mount, root() + "/"), r.expected);
    }
}

TEST_F(FakeSysfs, RemovableFileIsReadNotJustFound) {
    writeFile(dir_ / "sys/devices/pci0/usb1/block/sdb/removable", std::string("0\n"));
    EXPECT_EQ(platform::driveTypeOf(mount("/m", "vfat", "/dev/sdb1", 8, 17), root()), DriveType::Fixed);
}

class HostDrives : public FakeSysfs {
  protected:
    std::string folder(const std::string& name) const {
        fs::create_directories(dir_ / name);
        return (dir_ / name).string();
    }
};

TEST_F(HostDrives, HomeThenRootThenDiskMountsInOrder) {
    const std::string home = folder("home/eva");
    const std::string usb = folder("media/USB DISK");
    const std::string data = folder("data");
    const std::string cd = folder("cdrom");
    const std::string pseudo = folder("proc");
    writeFile(dir_ / "hosts", std::string("127.0.0.1 localhost\n"));
    const std::vector<MountEntry> mounts{
        mount("/", "ext4", "/dev/sda1", 8, 1),
        mount(pseudo, "proc", "proc", 0, 21),
        mount(usb, "vfat", "/dev/sdb1", 8, 17),
        mount((dir_ / "hosts").string(), "ext4", "/dev/sda1", 8, 1),  // a bind-mounted file
        mount((dir_ / "gone").string(), "ext4", "/dev/sda1", 8, 1),   // a folder removed since
        mount(data, "xfs", "/dev/sda1", 8, 1),
        mount(usb, "vfat", "/dev/sdb1", 8, 17),  // mounted twice
        mount("/", "ext4", "/dev/sda1", 8, 1),
        mount(home, "ext4", "/dev/sda1", 8, 1),
        mount(cd, "iso9660", "/dev/sr0", 11, 0),
        mount(folder("snap/core/1"), "squashfs", "/dev/loop0", 7, 0),
    };
    EXPECT_EQ(platform::hostDrivesFrom(home + "/", mounts, root()),
              (std::vector<HostDrive>{{home, DriveType::Fixed},
                                      {"/", DriveType::Fixed},
                                      {usb, DriveType::Removable},
                                      {data, DriveType::Fixed},
                                      {cd, DriveType::Optical}}));
}

TEST_F(HostDrives, RootTakesItsTypeFromItsMount) {
    const std::string home = folder("home");
    struct Row {
        const char* name;
        std::vector<MountEntry> mounts;
        DriveType expected;
    };
    const std::vector<Row> rows{
        {"no entry for the root", {mount("/proc", "proc", "proc", 0, 21)}, DriveType::Fixed},
        {"root on a removable disk", {mount("/", "ext4", "/dev/sdb1", 8, 17)}, DriveType::Removable},
        {"live system over a disc", {mount("/", "iso9660", "/dev/sr0", 11, 0)}, DriveType::Optical},
        {"the last root mount is the one seen",
         {mount("/", "ext4", "/dev/sdb1", 8, 17), mount("/", "overlay", "overlay", 0, 40)},
         DriveType::Fixed},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const std::vector<HostDrive> drives = platform::hostDrivesFrom(home, r.mounts, root());
        ASSERT_EQ(drives.size(), 2u);
        EXPECT_EQ(drives[1], (HostDrive{"/", r.expected}));
    }
}

TEST_F(HostDrives, HomeThatIsMissingOrRootIsNotListedTwice) {
    const std::vector<MountEntry> mounts{mount("/", "ext4", "/dev/sda1", 8, 1)};
    const std::vector<HostDrive> rootOnly{{"/", DriveType::Fixed}};
    EXPECT_EQ(platform::hostDrivesFrom("", mounts, root()), rootOnly);
    EXPECT_EQ(platform::hostDrivesFrom("/", mounts, root()), rootOnly);
    EXPECT_EQ(platform::hostDrivesFrom((dir_ / "nobody").string(), mounts, root()), rootOnly);
}

TEST(HostDrivesOfThisMachine, ListRootOnceAndOnlyFolders) {
    const std::vector<HostDrive> drives = platform::listHostDrives();
    std::set<std::string> seen;
    for (const HostDrive& d : drives) {
        SCOPED_TRACE(d.path);
        EXPECT_TRUE(seen.insert(d.path).second);
        EXPECT_TRUE(fs::is_directory(d.path));
    }
    EXPECT_EQ(seen.count("/"), 1u);
    EXPECT_EQ(seen.count("/proc"), 0u);
    EXPECT_EQ(seen.count("/sys"), 0u);
}

TEST(FolderAccess, OnlyFoldersThatOpen) {
    ScratchDir dir;
    writeFile(dir / "file", std::string("x"));
    EXPECT_TRUE(platform::folderAccessible(dir.path().string()));
    EXPECT_FALSE(platform::folderAccessible((dir / "missing").string()));
    EXPECT_FALSE(platform::folderAccessible((dir / "file").string()));
}

}  // namespace
