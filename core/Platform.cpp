#include "core/Platform.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

namespace kod {

namespace {

// "\040" and the like in /proc/self/mounts stand for blanks, tabs, newlines and backslashes.
std::string DecodeMountField(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
            field[i + 1] <= '3' && field[i + 2] >= '0' && field[i + 2] <= '7' &&
            field[i + 3] >= '0' && field[i + 3] <= '7') {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool IsPseudoFilesystem(std::string_view type) {
    static constexpr std::array<std::string_view, 24> kPseudo = {
        "proc",     "sysfs",      "devpts",    "tmpfs",       "devtmpfs", "cgroup",
        "cgroup2",  "securityfs", "pstore",    "debugfs",     "tracefs",  "configfs",
        "fusectl",  "mqueue",     "hugetlbfs", "binfmt_misc", "autofs",   "bpf",
        "efivarfs", "overlay",    "nsfs",      "rpc_pipefs",  "ramfs",    "selinuxfs"};
    for (std::string_view p : kPseudo)
        if (type == p)
            return true;
    return type.starts_with("cgroup");
}

class LinuxDrives : public DriveSystem {
public:
    std::vector<Drive> Drives() const override {
        std::ifstream in("/proc/self/mounts");
        std::ostringstream mounts;
        mounts << in.rdbuf();
        std::vector<Drive> drives = DrivesFromMountTable(mounts.str());
        // Containers bind-mount single files (/etc/hosts): those are no volumes.
        std::erase_if(drives, [](const Drive& d) {
            std::error_code ec;
            return !std::filesystem::is_directory(d.root, ec);
        });
        return drives;
    }
    std::string FallbackRoot() const override { return "/"; }
};

} // namespace

std::vector<Drive> DrivesFromMountTable(const std::string& table) {
    std::vector<Drive> drives{{"/", false}};
    std::istringstream lines(table);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, dir, type;
        if (!(fields >> device >> dir >> type))
            continue;
        dir = DecodeMountField(dir);
        const bool cdrom = type == "iso9660" || type == "udf" || device.starts_with("/dev/sr") ||
                           device.starts_with("/dev/cdrom");
        if (dir == "/") {
            drives.front().cdrom = cdrom;
            continue;
        }
        if (IsPseudoFilesystem(type) || dir.starts_with("/proc/") || dir.starts_with("/sys/") ||
            dir.starts_with("/dev/") ||
            (dir.starts_with("/run/") && !dir.starts_with("/run/media/")))
            continue;
        std::string root = WithTrailingSeparator(dir);
        bool seen = false;
        for (const Drive& d : drives)
            seen = seen || d.root == root;
        if (!seen)
            drives.push_back({root, cdrom});
    }
    return drives;
}

const DriveSystem& SystemDrives() {
    static const LinuxDrives drives;
    return drives;
}

char PathSeparator() {
    return '/';
}

std::string WithTrailingSeparator(std::string path) {
    if (path.empty() || path.back() != PathSeparator())
        path += PathSeparator();
    return path;
}

std::string DevelopmentPdfDirectory() {
    return "/zelko/varmi/pdf/";
}

} // namespace kod
