// Files in places that refuse them: a full device, a pipe nobody reads, a disk that fills up,
// directories and endless devices where a file is expected. Each gives its one line,
// leaves what was there before, and the program carries on. The tests run as root in CI, so
// permissions stop nothing: the refusals come from the kernel's own file systems.
#include <gmock/gmock.h>

#include <sys/stat.h>
#include <unistd.h>

#include "capture_fixture.h"
#include "graphics/byte_files.h"
#include "graphics/graphic_file.h"
#include "graphics/png_files.h"

using testing::StartsWith;

namespace {

const t_Graphic grey = graphicof(g_FormatGrey, Bytes(32, 0x55), 8, 4);


}  // namespace

// Saving onto a device must write into it, never replace the device node by a renamed file:
// as root that would turn /dev/null into a plain file for the whole machine. A pipe nobody reads
// is refused at once instead of blocking, and stays a pipe; reading one with no writer, a folder
// or an endless device is refused too.
TEST(FileFaults, DevicesPipesAndFoldersAreNeitherReplacedNorReadAsFiles) {
    const Bytes bytes(5000, 7);
    EXPECT_EQ(logof([&] { EXPECT_EQ(writegraphicfile("/dev/full", grey), ENOSPC); }), errorline("setbinarytofile", ENOSPC));
    EXPECT_EQ(logof([&] { EXPECT_EQ(setbinarytofile("/dev/null", bytes), 0); }), "");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full") && std::filesystem::is_character_file("/dev/null"));
    TempDir dir;
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(logof([&] { EXPECT_EQ(setbinarytofile(pipe, bytes), ENXIO); }), errorline("setbinarytofile", ENXIO));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(dir.count(), 1);
    EXPECT_THAT(logof([&] { EXPECT_EQ(g_ReadPNGFile(pipe), emptygraphic()); }),
                StartsWith(errorline("getbinaryfromfile", EINVAL)));
    EXPECT_EQ(logof([&] { EXPECT_EQ(readgraphicfile(dir.path.string()), emptygraphic()); }),
              errorline("getbinaryfromfile", EISDIR));
    EXPECT_EQ(logof([] { EXPECT_TRUE(getbinaryfromfile("/dev/zero").empty()); }), errorline("getbinaryfromfile", EINVAL));
}

TEST(ByteFiles, ReplacedFilesKeepTheirModeAndLinks) {
    TempDir dir;
    const std::string path = dir.file("a.bin"), link = dir.file("link.bin");
    ASSERT_EQ(setbinarytofile(path, {}), 0);
    ::chmod(path.c_str(), 0640);
    ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);
    const Bytes data(70000, 7);
    EXPECT_EQ(logof([&] { EXPECT_EQ(setbinarytofile(link, data), 0); }), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));  // written through the link, into its target
    EXPECT_EQ(getbinaryfromfile(path), data);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.count(), 2);  // no temporary is left behind
}

TEST(FileFaults, APictureSaveThatFailsHalfWayLeavesTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("old");
    ASSERT_EQ(writegraphicfile(path, grey), 0);
    const Bytes before = getbinaryfromfile(path);
    // The limit lets the first bytes through, then refuses the rest.
    withfilesizelimit(4096, [&] {
        EXPECT_EQ(logof([&] { EXPECT_EQ(writegraphicfile(path, graphicof(2, Bytes(90000), 300, 300)), EFBIG); }),
                  errorline("setbinarytofile", EFBIG));
    });
    EXPECT_EQ(getbinaryfromfile(path), before);
    EXPECT_EQ(dir.count(), 1);
}
