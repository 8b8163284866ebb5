// Safe file writing against real files and real failures. The machines that
// run this are root, so failures are provoked in ways that hold for root too.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "export/file_writer.h"

namespace {

// A scratch folder of our own, removed afterwards.
class Folder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/writer-test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }

    std::string Path(const std::string& name) const { return root + "/" + name; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        DIR* dir = opendir(root.c_str());
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
    }
    static WriteResult Save(const std::string& path, const std::string& bytes) {
        const Bytes data(bytes);
        return WriteBytesToFile(Text::FromBytes(path), {&data});
    }
    static mode_t Mode(const std::string& path) {
        struct stat s {};
        stat(path.c_str(), &s);
        return s.st_mode;
    }

    std::string root;
};

using SafeWrite = Folder;

TEST_F(SafeWrite, NewAndReplacedFiles) {
    const std::string path = Path("a.txt");
    ASSERT_TRUE(Save(path, "first\r\n").ok());
    EXPECT_EQ(Read(path), "first\r\n");
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(Mode(path) & 0777, 0666 & ~mask);

    chmod(path.c_str(), 0640);
    ASSERT_TRUE(Save(path, "2").ok());
    EXPECT_EQ(Read(path), "2");
    EXPECT_EQ(Mode(path) & 0777, 0640u);  // the old file's permissions stay

    ASSERT_TRUE(Save(path, "").ok());  // an empty list gives an empty file
    EXPECT_EQ(Read(path), "");
    EXPECT_EQ(Entries(), std::vector<std::string>{"a.txt"});
}

TEST_F(SafeWrite, FailuresLeaveNothingBehind) {
    Put(Path("old.txt"), "precious");
    mkdir(Path("folder").c_str(), 0755);
    struct Case {
        std::string path;
        int error;
    } cases[] = {
        {"", ENOENT},
        {Path("missing/a.txt"), ENOENT},
        {Path("folder"), EISDIR},
        {Path("old.txt/a.txt"), ENOTDIR},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Save(c.path, "data").error, c.error) << c.path;
    }
    EXPECT_EQ(Read(Path("old.txt")), "precious");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"folder", "old.txt"}));
}

TEST_F(SafeWrite, AWriteThatFailsHalfWayKeepsTheOldFile) {
    const std::string path = Path("list.txt");
    Put(path, "what the user saved before");
    // Cap this process's file size, so the write stops part of the way in.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit cap = saved;
    cap.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &cap);
    const WriteResult result = Save(path, std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result.error, EFBIG);
    EXPECT_EQ(Read(path), "what the user saved before");
    EXPECT_EQ(Entries(), std::vector<std::string>{"list.txt"});
}

TEST_F(SafeWrite, SymbolicLinksKeepPointingWhereTheyDid) {
    mkdir(Path("real").c_str(), 0755);
    Put(Path("real/target.txt"), "old");
    ASSERT_EQ(symlink("real/target.txt", Path("link.txt").c_str()), 0);
    ASSERT_TRUE(Save(Path("link.txt"), "new").ok());
    char target[256] = {};
    ASSERT_GT(readlink(Path("link.txt").c_str(), target, sizeof target - 1), 0);
    EXPECT_STREQ(target, "real/target.txt");
    EXPECT_EQ(Read(Path("real/target.txt")), "new");
    // A link to a file that does not exist yet makes that file.
    ASSERT_EQ(symlink(Path("real/later.txt").c_str(), Path("dangling").c_str()), 0);
    ASSERT_TRUE(Save(Path("dangling"), "made").ok());
    EXPECT_EQ(Read(Path("real/later.txt")), "made");
}

TEST_F(SafeWrite, NamedPipesAreWrittenInPlace) {
    const std::string pipe = Path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // With nobody reading, the write is refused at once instead of hanging.
    EXPECT_EQ(Save(pipe, "x").error, ENXIO);
    std::string received;
    std::thread reader([&] { received = Read(pipe); });
    WriteResult result;
    for (int attempt = 0; attempt < 200; ++attempt) {  // until the reader has opened its end
        result = Save(pipe, "through the pipe");
        if (result.error != ENXIO) break;
        usleep(5000);
    }
    reader.join();
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(S_ISFIFO(Mode(pipe)));
}

TEST_F(SafeWrite, StreamingWriterAbandonsWithoutCommit) {
    const std::string path = Path("stream.txt");
    Put(path, "old");
    {
        SafeFileWriter writer;
        ASSERT_TRUE(writer.Open(path).ok());
        ASSERT_TRUE(writer.Write("half").ok());
    }
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(Entries(), std::vector<std::string>{"stream.txt"});
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open(path).ok());
    ASSERT_TRUE(writer.Write("a").ok());
    ASSERT_TRUE(writer.Write("b").ok());
    ASSERT_TRUE(writer.Commit().ok());
    EXPECT_EQ(Read(path), "ab");
}

}  // namespace
