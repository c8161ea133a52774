#pragma once

#include <string>
#include <vector>

// The few facts about the machine that the program depends on: which drives there are, which of
// them are CD-ROMs, the root used when there is nothing better, and the path separator.
namespace kod {

struct Drive {
    std::string root; // with its trailing separator: "D:\" or "/media/cdrom/"
    bool cdrom = false;
};

class DriveSystem {
public:
    virtual ~DriveSystem() = default;
    // Drive roots in the system's order.
    virtual std::vector<Drive> Drives() const = 0;
    // The root used when no drive qualifies ("C:\" on Windows, "/" here).
    virtual std::string FallbackRoot() const = 0;
};

// The real drives: the mounted volumes, optical media counted as CD-ROM.
const DriveSystem& SystemDrives();

// The volumes listed in a mount table in the format of /proc/self/mounts: "/" first, then the real
// file systems (pseudo ones such as proc or tmpfs left out), CD-ROMs being iso9660/udf volumes or
// /dev/sr*, /dev/cdrom* devices.
std::vector<Drive> DrivesFromMountTable(const std::string& mounts);

// The native directory separator ('/' here).
char PathSeparator();

// Writes `bytes` to `file` so that a power cut leaves the old file or the new one, never an empty
// or a cut one: into a temporary file beside it, flushed to the disk, renamed over the file (over
// the file a symbolic link names), and the directory flushed. Every write, the flush and the
// rename are checked; on failure the old file stays as it was, the temporary file is removed, and
// `error` gets the errno of the step that failed (EISDIR for a folder in the file's place, EPERM
// for a file its owner made read-only).
bool WriteFileDurably(const std::string& file, const std::string& bytes, int* error = nullptr);

// The cause of a failed write as the user is told it (Polish, UTF-8): a full disk, no permission,
// a folder of that name, and so on.
std::string WriteErrorText(int error);

// For tests: every later durable write fails at `step` with `error` (0: none fails).
enum class WriteStep { Create, Write, Flush, Commit };
void FailDurableWritesAt(WriteStep step, int error);

// True when the file exists and its owner may not write it (a file the user made read-only).
bool IsReadOnlyFile(const std::string& file);

// Writes to a file beyond the process's file-size limit fail as a full disk does, instead of
// ending the program.
void IgnoreFileSizeLimitSignal();

// Appends the native separator unless the path already ends with one.
std::string WithTrailingSeparator(std::string path);

// The fixed directory of the product descriptions in test mode, with its trailing separator
// ("c:\zelko\varmi\pdf\" on Windows, the same path under the root here).
std::string DevelopmentPdfDirectory();

} // namespace kod
