#include "core/Platform.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

WriteStep failingStep = WriteStep::Create;
int failingError = 0;

// False with errno set when a test made this step fail.
bool Injected(WriteStep step) {
    if (failingError == 0 || step != failingStep)
        return false;
    errno = failingError;
    return true;
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (Injected(WriteStep::Write))
            return false;
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Flushes the directory entry of a renamed file. The file is in place by then, so a folder that
// cannot be synced (some file systems refuse) is no failure of the write.
void SyncDirectoryOf(const std::string& file) {
    std::string dir = std::filesystem::path(file).parent_path().string();
    if (dir.empty())
        dir = ".";
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// The permissions of a new file: those of the file it replaces, or the usual ones.
mode_t NewFileMode(const struct stat* replaced) {
    if (replaced)
        return replaced->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool WriteFileDurably(const std::string& file, const std::string& bytes, int* error) {
    const auto fail = [error](int e) {
        if (error)
            *error = e;
        return false;
    };
    std::string target = file;
    std::error_code ec;
    if (std::filesystem::is_symlink(file, ec)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(file, ec);
        if (!ec)
            target = resolved.string();
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(EISDIR);
    if (IsReadOnlyFile(target))
        return fail(EPERM);

    std::string temp = target + ".XXXXXX";
    const int fd = Injected(WriteStep::Create) ? -1 : ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    ::fchmod(fd, NewFileMode(exists ? &old : nullptr));
    int failed = 0;
    if (!WriteAll(fd, bytes))
        failed = errno;
    if (!failed && (Injected(WriteStep::Flush) || ::fsync(fd) != 0))
        failed = errno;
    if (::close(fd) != 0 && !failed)
        failed = errno;
    if (!failed && (Injected(WriteStep::Commit) || ::rename(temp.c_str(), target.c_str()) != 0))
        failed = errno;
    if (failed) {
        ::unlink(temp.c_str());
        return fail(failed);
    }
    SyncDirectoryOf(target);
    return true;
}

std::string WriteErrorText(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return "Brak miejsca na dysku.";
    case EFBIG:
        return "Plik przekracza rozmiar dozwolony na tym dysku.";
    case EACCES:
        return "Brak uprawnień do zapisu w tym folderze.";
    case EPERM:
        return "Plik jest tylko do odczytu.";
    case EROFS:
        return "Dysk jest tylko do odczytu.";
    case EISDIR:
        return "W tym miejscu jest folder o tej nazwie.";
    case ENOENT:
    case ENOTDIR:
        return "Folder nie istnieje.";
    case ENAMETOOLONG:
        return "Nazwa pliku jest za długa.";
    case EIO:
        return "Błąd odczytu lub zapisu dysku.";
    default:
        return "Błąd zapisu pliku (kod systemowy " + std::to_string(error) + ").";
    }
}

void FailDurableWritesAt(WriteStep step, int error) {
    failingStep = step;
    failingError = error;
}

bool IsReadOnlyFile(const std::string& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // The owner's write bit, not access(): the user's choice counts even for root.
    return (st.st_mode & S_IWUSR) == 0;
}

void IgnoreFileSizeLimitSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace kod
