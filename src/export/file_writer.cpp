#include "export/file_writer.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "text/cp936.h"

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links to the path that really gets the content; a link to
// a file that does not exist yet leads to where that file will be.
int ResolveLinks(std::string path, std::string& resolved) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link {};
        if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            resolved = path;
            return 0;
        }
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
        if (length < 0) return errno;
        std::string next(target, static_cast<std::size_t>(length));
        path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
    }
    return ELOOP;
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

SafeFileWriter::~SafeFileWriter() { Abandon(); }

void SafeFileWriter::Abandon() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) unlink(temporary_.c_str());
    temporary_.clear();
}

WriteResult SafeFileWriter::Open(const std::string& path) {
    Abandon();
    if (path.empty()) return {ENOENT};
    if (int error = ResolveLinks(path, target_)) return {error};

    struct stat existing {};
    const bool exists = stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return {EISDIR};
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or a pipe: write into it as it is. Without a reader a pipe
        // would block the window for good, so it is refused instead.
        fd_ = open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0) return {errno};
        fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        inPlace_ = true;
        return {};
    }
    if (exists && access(target_.c_str(), W_OK) != 0) return {errno};

    std::string pattern = FolderOf(target_) + "/." + NameOf(target_) + ".XXXXXX";
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) return {errno};
    temporary_ = pattern;
    inPlace_ = false;
    if (exists) {
        if (fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
            // Only the owner's group or root may keep the owner; the content matters more.
        }
        fchmod(fd_, existing.st_mode & 07777);
    } else {
        fchmod(fd_, NewFileMode());
    }
    return {};
}

WriteResult SafeFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0) return {EBADF};
    if (int error = WriteAll(fd_, bytes)) {
        Abandon();
        return {error};
    }
    return {};
}

WriteResult SafeFileWriter::Commit() {
    if (fd_ < 0) return {EBADF};
    if (!inPlace_ && fsync(fd_) != 0) {
        const int error = errno;
        Abandon();
        return {error};
    }
    const int closed = close(fd_);
    fd_ = -1;
    if (closed != 0) {
        const int error = errno;
        Abandon();
        return {error};
    }
    if (inPlace_) return {};
    if (rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        Abandon();
        return {error};
    }
    temporary_.clear();
    // Make the rename itself durable; the file is in place either way.
    const int folder = open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return {};
}

WriteResult WriteBytesToFile(const Text& path, std::initializer_list<const Bytes*> data) {
    if (path.empty()) return {ENOENT};
    SafeFileWriter writer;
    if (WriteResult opened = writer.Open(Cp936ToUtf8(path.view())); !opened.ok()) return opened;
    for (const Bytes* bytes : data) {
        if (!bytes || bytes->count() <= 0) continue;
        if (WriteResult written = writer.Write(bytes->view()); !written.ok()) return written;
    }
    return writer.Commit();
}
