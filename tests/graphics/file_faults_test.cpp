// Files in places that refuse them: a full device, folders that cannot hold a file, missing
// folders, directories and missing files where a file is expected. Each gives its one line,
// leaves what was there before, and the program carries on. The tests run as root in CI, so
// permissions stop nothing: the refusals come from the kernel's own file systems.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "capture_fixture.h"
#include "graphics/byte_files.h"
#include "graphics/graphic_file.h"
#include "graphics/png_files.h"

using testing::StartsWith;

namespace {

const t_Graphic grey = graphicof(g_FormatGrey, Bytes(32, 0x55), 8, 4);

bool hasmode(const std::string& path, mode_t type) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

using Writer = int64_t (*)(const std::string&, const t_Graphic&);
const Writer writers[] = {writegraphicfile, g_WritePNGFile};

}  // namespace

// Saving onto a device must write into it, never replace the device node by a renamed file:
// as root that would turn /dev/null into a plain file for the whole machine.
TEST(FileFaults, DevicesAreWrittenInPlaceAndAFullOneReportsIt) {
    const Bytes bytes(5000, 7);
    for (const Writer write : writers)
        EXPECT_EQ(logof([&] { EXPECT_EQ(write("/dev/full", grey), ENOSPC); }), errorline("setbinarytofile", ENOSPC));
    EXPECT_EQ(logof([&] { EXPECT_EQ(setbinarytofile("/dev/null", bytes), 0); }), "");
    EXPECT_TRUE(hasmode("/dev/full", S_IFCHR) && hasmode("/dev/null", S_IFCHR));

    // A pipe nobody reads: refused at once instead of blocking, and still a pipe afterwards.
    TempDir dir;
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(logof([&] { EXPECT_EQ(setbinarytofile(pipe, bytes), ENXIO); }), errorline("setbinarytofile", ENXIO));
    EXPECT_TRUE(hasmode(pipe, S_IFIFO));
    EXPECT_EQ(dir.count(), 1);
}

TEST(FileFaults, FoldersThatCannotHoldTheFileReportAndCreateNothing) {
    TempDir dir;
    ASSERT_EQ(setbinarytofile(dir.file("plain"), {1}), 0);
    const std::pair<std::string, int> cases[] = {
        {dir.file("missing/picture.gr"), ENOENT},  // a folder that is not there
        {dir.file("plain/picture.gr"), ENOTDIR},   // a file where the folder should be
        {dir.path.string(), EISDIR},               // the folder itself
        {"/proc/self/picture.gr", 0},              // the kernel's process folder takes no files
    };
    for (const auto& [path, error] : cases) {
        const std::string log = logof([&] { EXPECT_NE(writegraphicfile(path, grey), 0) << path; });
        if (error != 0) EXPECT_EQ(log, errorline("setbinarytofile", error)) << path;
        else EXPECT_THAT(log, StartsWith("setbinarytofile: Error #")) << path;
        EXPECT_FALSE(std::filesystem::is_regular_file(path)) << path;
    }
    EXPECT_EQ(dir.count(), 1);  // no leftovers
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

TEST(ByteFiles, Int32IsBigEndianAndNeedsFourBytes) {
    const Bytes data{0x00, 0x00, 0x01, 0x02, 0x03};
    for (const auto& [offset, value] : std::initializer_list<std::pair<int64_t, int64_t>>{
             {1, 66051}, {2, 0}, {-1, 0}, {INT64_MAX, 0}})
        EXPECT_EQ(getbinaryint32(data, offset), value) << offset;
    EXPECT_EQ(getbinaryint32({0xFF, 0xFF, 0xFF, 0xFE}, 0), 0xFFFFFFFEll);
}

TEST(FileFaults, DirectoriesAndMissingFilesAreNotReadAsFiles) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);  // no writer: a read would block forever

    EXPECT_EQ(logof([&] { EXPECT_EQ(readgraphicfile(dir.path.string()), emptygraphic()); }),
              errorline("getbinaryfromfile", EISDIR));
    EXPECT_THAT(logof([&] { EXPECT_EQ(readgraphicfile(dir.file("missing.gr")), emptygraphic()); }),
                StartsWith(errorline("getbinaryfromfile", ENOENT)));
    EXPECT_THAT(logof([&] { EXPECT_EQ(g_ReadPNGFile(dir.file("pipe")), emptygraphic()); }),
                StartsWith(errorline("getbinaryfromfile", EINVAL)));
    EXPECT_EQ(logof([] { EXPECT_TRUE(getbinaryfromfile("/dev/zero").empty()); }),  // would never end
              errorline("getbinaryfromfile", EINVAL));
}

TEST(FileFaults, APictureSaveThatFailsHalfWayLeavesTheOldFile) {
    TempDir dir;
    t_Graphic noisy = graphicof(g_FormatRGBColor, Bytes(300 * 200 * 3), 300, 200);
    std::mt19937 random(5);  // noise: PNG's row filters would squeeze any arithmetic pattern
    for (uint8_t& byte : noisy.Data) byte = static_cast<uint8_t>(random() >> 24);
    for (const Writer write : writers) {
        const std::string path = dir.file("old");
        ASSERT_EQ(write(path, grey), 0);
        const Bytes before = getbinaryfromfile(path);
        // The limit lets the first bytes through, then refuses the rest.
        withfilesizelimit(4096, [&] {
            EXPECT_EQ(logof([&] { EXPECT_EQ(write(path, noisy), EFBIG); }), errorline("setbinarytofile", EFBIG));
        });
        EXPECT_EQ(getbinaryfromfile(path), before);
        EXPECT_EQ(dir.count(), 1);
    }
}
