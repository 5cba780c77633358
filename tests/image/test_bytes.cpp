// The bounded byte reader and whole-file reads the loaders stand on.
#include "image/bytes.h"
#include "image_test.h"
#include <gtest/gtest.h>
#include <unistd.h>

TEST(Bytes, NumbersInTheirByteOrder) {
  const bytes b = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x01};
  bytes_reader r = bytes_reader_of(b);
  EXPECT_EQ(bytes_read_be16(r), 0x1234);
  EXPECT_EQ(bytes_read_le16(r), 0x7856);
  EXPECT_EQ(bytes_read_be32(r), 0x9ABCDEF0u);
  EXPECT_EQ(bytes_read_u8(r), 0x01);
  EXPECT_FALSE(r.ran_out);
  EXPECT_EQ(bytes_left(r), 0u);
}

TEST(Bytes, ReadingPastTheEndGivesZeroAndSticks) {
  const bytes b = {1, 2, 3};
  bytes_reader r = bytes_reader_of(b);
  bytes_skip(r, 2);
  EXPECT_EQ(bytes_read_be16(r), 0); // one byte left: no half number
  EXPECT_TRUE(r.ran_out);
  EXPECT_EQ(bytes_left(r), 0u);
  EXPECT_EQ(bytes_read_u8(r), 0);
  r = bytes_reader_of(b);
  bytes_skip(r, size_t(1) << 40);
  EXPECT_TRUE(r.ran_out);
  EXPECT_EQ(r.pos, 3u);
  r = bytes_reader_of(b);
  uint8_t out[5] = {9, 9, 9, 9, 9};
  EXPECT_EQ(bytes_read(r, out, 5), 3u);
  EXPECT_EQ(out[2], 3);
  EXPECT_EQ(out[3], 9);
  EXPECT_TRUE(r.ran_out);
}

TEST(Bytes, WholeFileFromFilesPipesAndFolders) {
  temp_dir dir;
  bytes content(100000);
  for (size_t i = 0; i < content.size(); i++) content[i] = uint8_t(i * 13);
  std::string name = put_file(dir, "f", content);
  bytes_fd f(name.c_str());
  ASSERT_TRUE(f.ok());
  bytes_file file;
  ASSERT_TRUE(bytes_fd_read_all(f, file));
  ASSERT_EQ(file.size, content.size());
  EXPECT_TRUE(std::equal(content.begin(), content.end(), file.data.get()));

  // A pipe has no size up front: read as it comes.
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(write(fds[1], content.data(), 60000), 60000);
  close(fds[1]);
  bytes_fd p("/dev/null");
  close(p.fd);
  p.fd = fds[0];
  ASSERT_TRUE(bytes_fd_read_all(p, file));
  EXPECT_EQ(file.size, 60000u);
  EXPECT_TRUE(std::equal(content.begin(), content.begin() + 60000, file.data.get()));

  // A folder opens but reads nothing.
  bytes_fd d(dir.path.c_str());
  ASSERT_TRUE(d.ok());
  ASSERT_TRUE(bytes_fd_read_all(d, file));
  EXPECT_EQ(file.size, 0u);
  EXPECT_FALSE(bytes_fd(dir.file("missing").c_str()).ok());
}
