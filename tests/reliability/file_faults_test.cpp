// Files in places that refuse them: a full device, folders that cannot hold a file, missing
// folders, directories and vanished files where a file is expected. Each gives its one line,
// leaves what was there before, and the program carries on. The tests run as root in CI, so
// permissions stop nothing: the refusals come from the kernel's own file systems.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "graphics/byte_files.h"
#include "graphics/graphic_file.h"
#include "graphics/png_files.h"
#include "text/font_resource.h"

using testing::HasSubstr;
using testing::StartsWith;

namespace {

struct TempDir {
    std::filesystem::path path;
    TempDir() {
        char pattern[] = "/tmp/faultsXXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

std::string logof(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

t_Graphic greypicture() {
    t_Graphic picture;
    picture.Format = 2;
    picture.Width = 8;
    picture.Height = 4;
    picture.Size = 32;
    picture.Data.assign(32, 0x55);
    return picture;
}

bool ischaracterdevice(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISCHR(info.st_mode);
}

std::string errorline(const char* operation, int error) {
    return std::string(operation) + ": Error #" + std::strerror(error) + "\n";
}

}  // namespace

// Saving onto a device must write into it, never replace the device node by a renamed file:
// as root that would turn /dev/null into a plain file for the whole machine.
TEST(FileFaults, DevicesAreWrittenInPlaceAndAFullOneReportsIt) {
    const std::vector<uint8_t> bytes(5000, 7);
    EXPECT_EQ(logof([&] { EXPECT_EQ(setbinarytofile("/dev/full", bytes), ENOSPC); }),
              errorline("setbinarytofile", ENOSPC));
    EXPECT_NE(logof([&] { EXPECT_NE(writegraphicfile("/dev/full", greypicture()), 0); }), "");
    EXPECT_NE(logof([&] { EXPECT_NE(g_WritePNGFile("/dev/full", greypicture()), 0); }), "");
    EXPECT_EQ(logof([&] { EXPECT_EQ(setbinarytofile("/dev/null", bytes), 0); }), "");
    EXPECT_TRUE(ischaracterdevice("/dev/full"));
    EXPECT_TRUE(ischaracterdevice("/dev/null"));

    // A pipe nobody reads: refused at once instead of blocking, and still a pipe afterwards.
    TempDir dir;
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(logof([&] { EXPECT_EQ(setbinarytofile(pipe, bytes), ENXIO); }), errorline("setbinarytofile", ENXIO));
    struct stat info {};
    EXPECT_TRUE(::stat(pipe.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
}

TEST(FileFaults, FoldersThatCannotHoldTheFileReportAndCreateNothing) {
    TempDir dir;
    ASSERT_EQ(setbinarytofile(dir.file("plain"), {1}), 0);
    struct t_Case {
        std::string Path;
        int Error;
    };
    const t_Case cases[] = {
        {dir.file("missing/picture.gr"), ENOENT},  // a folder that is not there
        {dir.file("plain/picture.gr"), ENOTDIR},   // a file where the folder should be
        {"/proc/self/picture.gr", 0},              // the kernel's process folder takes no files
        {"/proc/version/picture.gr", ENOTDIR},
    };
    for (const t_Case& c : cases) {
        const std::string log = logof([&] { EXPECT_NE(writegraphicfile(c.Path, greypicture()), 0) << c.Path; });
        if (c.Error != 0) EXPECT_EQ(log, errorline("setbinarytofile", c.Error)) << c.Path;
        else EXPECT_THAT(log, StartsWith("setbinarytofile: Error #")) << c.Path;
        EXPECT_FALSE(std::filesystem::exists(c.Path)) << c.Path;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);  // no leftovers
}

TEST(FileFaults, DirectoriesAndVanishedFilesAreNotReadAsFiles) {
    TempDir dir;
    const std::string vanished = dir.file("vanished.gr");
    ASSERT_EQ(writegraphicfile(vanished, greypicture()), 0);
    ASSERT_EQ(::unlink(vanished.c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);  // no writer: a read would block forever

    EXPECT_EQ(logof([&] { EXPECT_EQ(readgraphicfile(dir.path.string()), emptygraphic()); }),
              errorline("getbinaryfromfile", EISDIR));
    EXPECT_THAT(logof([&] { EXPECT_EQ(readgraphicfile(vanished), emptygraphic()); }),
                StartsWith(errorline("getbinaryfromfile", ENOENT)));
    EXPECT_THAT(logof([&] { EXPECT_EQ(g_ReadPNGFile(dir.file("pipe")), emptygraphic()); }),
                StartsWith(errorline("getbinaryfromfile", EINVAL)));
    EXPECT_THAT(logof([&] { EXPECT_TRUE(t_LoadFontResource(dir.path.string()).Data.empty()); }),
                HasSubstr("t_LoadFontResource: Could not load file"));
    // Still working afterwards.
    EXPECT_EQ(writegraphicfile(vanished, greypicture()), 0);
    EXPECT_EQ(readgraphicfile(vanished).Size, 32);
}

TEST(FileFaults, APictureSaveThatFailsHalfWayLeavesTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("old.png");
    ASSERT_EQ(g_WritePNGFile(path, greypicture()), 0);
    const std::vector<uint8_t> before = getbinaryfromfile(path);

    t_Graphic noisy;
    noisy.Format = 3;
    noisy.Width = 300;
    noisy.Height = 200;
    noisy.Size = noisy.Width * noisy.Height;
    noisy.Data.resize(static_cast<size_t>(noisy.Size * 3));
    std::mt19937 random(5);  // noise: PNG's row filters would squeeze any arithmetic pattern
    for (uint8_t& byte : noisy.Data) byte = static_cast<uint8_t>(random() >> 24);
    // The file size limit lets the first bytes through, then refuses the rest (as a full disk would).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string log = logof([&] { EXPECT_EQ(g_WritePNGFile(path, noisy), EFBIG); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(log, errorline("setbinarytofile", EFBIG));
    EXPECT_EQ(getbinaryfromfile(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
}
