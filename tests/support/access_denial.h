// Makes file permissions bite in tests that run as root. Root reads every file whatever
// its mode because of two capabilities; while an AccessDenial lives, the calling thread
// runs without them, so a folder or file of mode 000 really cannot be read. For other
// users nothing needs to change. Header-only, Linux only.
#pragma once

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>
#include <string>

namespace vexilo::testing {

class AccessDenial {
  public:
    AccessDenial() {
        if (::geteuid() != 0) {
            active_ = true;
            return;
        }
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        const uint32_t dac = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        reduced[0].effective &= ~dac;
        if (::syscall(SYS_capset, &header_, reduced) != 0) return;
        dropped_ = true;
        active_ = true;
    }
    ~AccessDenial() {
        if (dropped_) ::syscall(SYS_capset, &header_, saved_);
    }
    AccessDenial(const AccessDenial&) = delete;
    AccessDenial& operator=(const AccessDenial&) = delete;

    // False when this process cannot give up its override (the test should then skip).
    bool active() const { return active_; }

  private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
    bool active_ = false;
};

// Sets the mode bits of path; true on success.
inline bool setMode(const std::string& path, mode_t mode) {
    return ::chmod(path.c_str(), mode) == 0;
}

}  // namespace vexilo::testing
