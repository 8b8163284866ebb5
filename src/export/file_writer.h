#pragma once
// Writing a file so that a failure never costs what was there before.
//
// The bytes go into a new file beside the target, which takes the target's
// place only once every byte is written and flushed to disk; on any failure
// the old file is untouched and the new one is removed. The replacement keeps
// the old file's permissions (and, where allowed, its owner). A symbolic link
// keeps pointing where it did: the file it points to gets the new content. A
// target that is not a regular file (a device, a named pipe) is written in
// place and never replaced.

#include <initializer_list>
#include <string>
#include <string_view>

#include "text/text.h"

// What went wrong, as an errno value (0 when nothing did).
struct WriteResult {
    int error = 0;
    bool ok() const { return error == 0; }
};

class SafeFileWriter {
public:
    SafeFileWriter() = default;
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;
    // Without a successful Commit the target stays as it was.
    ~SafeFileWriter();

    WriteResult Open(const std::string& path);  // a native (UTF-8) path
    WriteResult Write(std::string_view bytes);
    WriteResult Commit();

private:
    void Abandon();

    int fd_ = -1;
    bool inPlace_ = false;
    std::string target_;
    std::string temporary_;
};

// The whole file in one go. `path` is a Text as the file dialog keeps it; an
// empty path fails without touching the disk.
WriteResult WriteBytesToFile(const Text& path, std::initializer_list<const Bytes*> data);
