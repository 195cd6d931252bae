#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "graphics/byte_files.h"
#include "support/helpers.h"

TEST(ByteFiles, RoundTripAndEmptyFile) {
    TempDir dir;
    std::vector<uint8_t> data(70000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    testing::internal::CaptureStdout();
    EXPECT_EQ(setbinarytofile(dir.file("a.bin"), data), 0);
    EXPECT_EQ(getbinaryfromfile(dir.file("a.bin")), data);
    EXPECT_EQ(setbinarytofile(dir.file("empty"), {}), 0);
    EXPECT_TRUE(getbinaryfromfile(dir.file("empty")).empty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    // Only the two files: no temporary is left behind.
    EXPECT_EQ(dir.count(), 2);
}

TEST(ByteFiles, ReadErrorsReportTheSystemText) {
    TempDir dir;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(getbinaryfromfile(dir.file("missing")).empty());
    EXPECT_TRUE(getbinaryfromfile(dir.path.string()).empty());
    EXPECT_TRUE(getbinaryfromfile("/dev/zero").empty());  // would never end
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              std::string("getbinaryfromfile: Error #") + std::strerror(ENOENT) + "\n" +
                  "getbinaryfromfile: Error #" + std::strerror(EISDIR) + "\n" +
                  "getbinaryfromfile: Error #" + std::strerror(EINVAL) + "\n");
}

TEST(ByteFiles, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("keep.bin");
    ASSERT_EQ(setbinarytofile(path, {1, 2, 3}), 0);
    ::chmod(path.c_str(), 0640);
    ASSERT_EQ(setbinarytofile(path, {4, 5}), 0);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);  // a replaced file keeps its mode

    testing::internal::CaptureStdout();
    EXPECT_EQ(setbinarytofile(dir.file("nodir/x.bin"), {1}), ENOENT);
    EXPECT_EQ(setbinarytofile(dir.path.string(), {1}), EISDIR);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              std::string("setbinarytofile: Error #") + std::strerror(ENOENT) + "\n" +
                  "setbinarytofile: Error #" + std::strerror(EISDIR) + "\n");
    EXPECT_EQ(getbinaryfromfile(path), (std::vector<uint8_t>{4, 5}));
    EXPECT_EQ(dir.count(), 1);
}

TEST(ByteFiles, WritingThroughALinkReplacesItsTarget) {
    TempDir dir;
    const std::string target = dir.file("target.bin"), link = dir.file("link.bin");
    ASSERT_EQ(setbinarytofile(target, {1}), 0);
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_EQ(setbinarytofile(link, {9, 9}), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(getbinaryfromfile(target), (std::vector<uint8_t>{9, 9}));
}

TEST(ByteFiles, Int32IsBigEndianAndNeedsFourBytes) {
    const std::vector<uint8_t> data{0x00, 0x00, 0x01, 0x02, 0x03};
    EXPECT_EQ(getbinaryint32(data, 1), 66051);
    EXPECT_EQ(getbinaryint32(data, 2), 0);
    EXPECT_EQ(getbinaryint32(data, -1), 0);
    EXPECT_EQ(getbinaryint32({0xFF, 0xFF, 0xFF, 0xFE}, 0), 0xFFFFFFFEll);
    EXPECT_EQ(getbinaryint32({}, INT64_MAX), 0);
}
