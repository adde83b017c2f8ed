#pragma once

// The one writer of files the program writes outside its working folder: a scan's outputs,
// exports and saved profiles, from the window and the command line tools alike. A file is
// written whole before it takes its name, so the name holds the old file or the new one, never
// part of one; and it replaces the name itself, never what a link standing there points to, so
// a link planted at an output name in a shared folder cannot redirect the write.

#include <QString>

#include <string>
#include <string_view>

namespace corvale {

// Where the system shows a process's open descriptors as links.
inline constexpr char kDescriptorFolder[] = "/proc/self/fd";

// One output on its way to its name. It is written unnamed (O_TMPFILE) where the file system
// allows and the descriptor folder is there to name it through, so that a run killed while
// writing leaves nothing behind; else under a hidden name beside the target, removed again
// unless the file is placed. Errors are errno values, 0 for none; the first one sticks.
class OutputFile {
public:
    // `descriptorFolder` names kDescriptorFolder, or for a test a missing folder, which stands
    // for a system without it (a chroot or a sandbox without /proc).
    explicit OutputFile(const QString& target, std::string descriptorFolder = kDescriptorFolder);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Adds the bytes to the file.
    int Append(std::string_view bytes);
    // Has the bytes on disk, then gives the file its name: with `replace` over whatever stands
    // there, otherwise only where nothing stands, not even a link to nothing (EEXIST then).
    int Place(bool replace);
    // Removes the file from its name, if the name still holds this file.
    void Remove() const;
    // The first error of a write, or 0.
    int Error() const { return error_; }

private:
    std::string DescriptorPath() const;
    int Placed(int status);
    bool Materialise();

    QString target_;
    std::string targetName_;
    std::string descriptorFolder_;
    std::string hidden_;  // the hidden name, while the file has one
    int fd_ = -1;
    int error_ = 0;
};

// Writes the bytes to `path` through an OutputFile, replacing what stands there only with
// `replace`. A failure leaves what stood at the name untouched. Empty on success, else why it
// failed: "it exists", "it is a folder", or what the system said.
std::string WriteOutputFile(const QString& path, std::string_view bytes, bool replace);

// Has the entries of the folder that holds `path` on disk, so that a new name survives a power
// cut.
void SyncFolderOfPath(const QString& path);

}  // namespace corvale
