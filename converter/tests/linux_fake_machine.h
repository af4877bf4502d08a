#pragma once
// A machine at the Linux floppy seam with one controller drive (a:) and one USB floppy (b:), both holding a
// 1.44 MB medium of known bytes.
#include <algorithm>
#include <string>

#include "fixture.h"
#include "linux/linux_floppy.h"
#include "linux_fake_kernel.h"

namespace linux_testing {

struct TwoDriveMachine {
    FakeKernel kernel;
    converter::linux_floppy::LinuxFloppy floppy{
        kernel,
        {{"a:", "/dev/fd0", converter::linux_floppy::DriveBackEnd::Controller},
         {"b:", "/dev/sdb", converter::linux_floppy::DriveBackEnd::UsbFloppy}}};

    // seed: the medium's bytes, as testing_support::patternBytes makes them.
    explicit TwoDriveMachine(uint32_t seed) {
        FakeDrive fd0;
        fd0.detected = hd144();
        fd0.bytes = testing_support::patternBytes(1474560, seed);
        kernel.drives["/dev/fd0"] = fd0;
        FakeDrive sdb = fd0;
        sdb.usb = true;
        kernel.drives["/dev/sdb"] = sdb;
    }
    FakeDrive& a() { return kernel.drives["/dev/fd0"]; }
    FakeDrive& b() { return kernel.drives["/dev/sdb"]; }
    // How many system calls the log holds that begin so.
    size_t count(const std::string& prefix) const {
        return std::count_if(kernel.log.begin(), kernel.log.end(),
                             [&](const std::string& l) { return l.starts_with(prefix); });
    }
};

}  // namespace linux_testing
