#include "record_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace lira {
namespace {

namespace fs = std::filesystem;

// A cache block holds 512 records; the cache holds 16 blocks, so 8192
// records fit and every record past them evicts a block.
constexpr std::int64_t kRecordsPerBlock = 512;
constexpr std::int64_t kCachedRecords = 16 * kRecordsPerBlock;

// A file of its own for each test (other builds may run the same test at the
// same time), removed afterwards.
class RecordFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = (fs::temp_directory_path() /
             ("record-file-" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
              std::to_string(random()) + "-" + std::to_string(now) + ".bin"))
                .string();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }

  std::string bytes_on_disk() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void put_bytes_on_disk(const std::string& bytes) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  std::string path_;
};

struct Four {
  unsigned char b[4];
  explicit Four(std::int32_t v) { put_i32(b, v); }
};

std::int32_t read_value(RecordFile& f, std::int64_t n) {
  unsigned char b[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_TRUE(f.read(n, b)) << "record " << n;
  return get_i32(b);
}

// The value a fresh file holds at record n, distinct for every record.
std::int32_t initial(std::int64_t n) { return static_cast<std::int32_t>(n * 7 + 3); }

// Every record of `f` against the model of what it must hold.
void expect_records(RecordFile& f, const std::vector<std::int32_t>& model) {
  ASSERT_EQ(f.count(), static_cast<std::int64_t>(model.size()));
  int wrong = 0;
  for (std::size_t i = 0; i < model.size() && wrong < 5; ++i) {
    unsigned char b[4];
    ASSERT_TRUE(f.read(static_cast<std::int64_t>(i) + 1, b));
    if (get_i32(b) != model[i]) {
      ++wrong;
      ADD_FAILURE() << "record " << i + 1 << " holds " << get_i32(b) << ", not " << model[i];
    }
  }
}

// The bytes a file of 4-byte records must hold.
std::string file_of(const std::vector<std::int32_t>& model) {
  std::string bytes(model.size() * 4, '\0');
  for (std::size_t i = 0; i < model.size(); ++i) {
    put_i32(reinterpret_cast<unsigned char*>(&bytes[i * 4]), model[i]);
  }
  return bytes;
}

TEST(RecordFields, LittleEndianWhateverTheMachine) {
  unsigned char b[4];
  put_i32(b, 0x12345678);
  EXPECT_EQ(b[0], 0x78);
  EXPECT_EQ(b[1], 0x56);
  EXPECT_EQ(b[2], 0x34);
  EXPECT_EQ(b[3], 0x12);
  put_i32(b, -2);
  EXPECT_EQ(b[0], 0xFE);
  EXPECT_EQ(b[3], 0xFF);
  EXPECT_EQ(get_i32(b), -2);
  put_i32(b, INT32_MIN);
  EXPECT_EQ(get_i32(b), INT32_MIN);
  put_i16(b, -300);
  EXPECT_EQ(b[0], 0xD4);
  EXPECT_EQ(b[1], 0xFE);
  EXPECT_EQ(get_i16(b), -300);
  put_f32(b, 1.0f);  // 0x3F800000
  EXPECT_EQ(b[0], 0x00);
  EXPECT_EQ(b[2], 0x80);
  EXPECT_EQ(b[3], 0x3F);
  put_f32(b, -0.25f);
  EXPECT_EQ(get_f32(b), -0.25f);
}

TEST_F(RecordFileTest, RecordNLiesAtNMinusOneTimesTheSize) {
  RecordFile f;
  ASSERT_TRUE(f.create(path_, 6));
  EXPECT_EQ(f.count(), 0);
  const unsigned char a[6] = {1, 2, 3, 4, 5, 6};
  const unsigned char b[6] = {7, 8, 9, 10, 11, 12};
  EXPECT_TRUE(f.append(a));
  EXPECT_TRUE(f.append(b));
  EXPECT_TRUE(f.write(3, a));
  EXPECT_EQ(f.count(), 3);
  EXPECT_TRUE(f.close());
  EXPECT_FALSE(f.is_open());
  EXPECT_EQ(bytes_on_disk(), std::string("\1\2\3\4\5\6\7\10\11\12\13\14\1\2\3\4\5\6", 18));

  ASSERT_TRUE(f.open(path_, 6, false));
  EXPECT_EQ(f.count(), 3);
  unsigned char r[6];
  ASSERT_TRUE(f.read(2, r));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(r), 6), std::string("\7\10\11\12\13\14", 6));
  EXPECT_TRUE(f.close());
}

TEST_F(RecordFileTest, CreateTruncatesAndOpenNeedsAnExistingFile) {
  RecordFile f;
  EXPECT_FALSE(f.open(path_, 4, false));
  EXPECT_FALSE(f.open(path_, 4, true));
  EXPECT_FALSE(f.is_open());
  put_bytes_on_disk("old contents of the file");
  ASSERT_TRUE(f.create(path_, 4));
  EXPECT_EQ(f.count(), 0);
  EXPECT_TRUE(f.close());
  EXPECT_EQ(bytes_on_disk(), "");
  EXPECT_FALSE(f.create((fs::path(path_) / "no" / "such.tmp").string(), 4));
  EXPECT_FALSE(f.is_open());
}

TEST_F(RecordFileTest, OutOfRangeRecordsAreRefusedAndTouchNothing) {
  RecordFile f;
  ASSERT_TRUE(f.create(path_, 4));
  for (int i = 1; i <= 3; ++i) ASSERT_TRUE(f.append(Four(initial(i)).b));
  unsigned char b[4] = {9, 9, 9, 9};
  for (std::int64_t n : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{4}, std::int64_t{5},
                         INT64_MIN, INT64_MAX}) {
    EXPECT_FALSE(f.read(n, b)) << n;
    EXPECT_EQ(b[0], 9);
  }
  // A write may replace a record or add the next one, never leave a gap.
  for (std::int64_t n : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{5}, std::int64_t{1000},
                         INT64_MIN, INT64_MAX}) {
    EXPECT_FALSE(f.write(n, Four(77).b)) << n;
  }
  EXPECT_EQ(f.count(), 3);
  EXPECT_TRUE(f.close());
  EXPECT_EQ(bytes_on_disk(), file_of({initial(1), initial(2), initial(3)}));
  // A closed file reads and writes nothing.
  EXPECT_FALSE(f.read(1, b));
  EXPECT_FALSE(f.write(1, b));
  EXPECT_EQ(f.count(), 0);
}

TEST_F(RecordFileTest, ReadOnlyFilesRefuseWrites) {
  put_bytes_on_disk(file_of({1, 2}));
  RecordFile f;
  ASSERT_TRUE(f.open(path_, 4, false));
  EXPECT_FALSE(f.write(1, Four(5).b));
  EXPECT_FALSE(f.append(Four(5).b));
  EXPECT_EQ(f.count(), 2);
  EXPECT_EQ(read_value(f, 2), 2);
  EXPECT_TRUE(f.close());
  EXPECT_EQ(bytes_on_disk(), file_of({1, 2}));
}

TEST_F(RecordFileTest, ATrailingPartRecordIsNoRecordAndAnAppendReplacesIt) {
  put_bytes_on_disk(file_of({1, 2}) + "xy");
  RecordFile f;
  ASSERT_TRUE(f.open(path_, 4, true));
  EXPECT_EQ(f.count(), 2);
  unsigned char b[4];
  EXPECT_FALSE(f.read(3, b));
  EXPECT_TRUE(f.append(Four(3).b));
  EXPECT_TRUE(f.close());
  EXPECT_EQ(bytes_on_disk(), file_of({1, 2, 3}));
}

TEST_F(RecordFileTest, NoRecordSizeBelowOne) {
  RecordFile f;
  EXPECT_FALSE(f.create(path_, 0));
  EXPECT_FALSE(f.is_open());
  put_bytes_on_disk("abcd");
  EXPECT_FALSE(f.open(path_, 0, false));
  EXPECT_FALSE(f.open(path_, -4, true));
  EXPECT_FALSE(f.is_open());
}

TEST_F(RecordFileTest, AppendsAcrossManyBlocksSurviveEvictionAndReopen) {
  // Twice what the cache holds, and a part block at the end.
  const std::int64_t total = 2 * kCachedRecords + kRecordsPerBlock / 2 + 1;
  std::vector<std::int32_t> model;
  RecordFile f;
  ASSERT_TRUE(f.create(path_, 4));
  for (std::int64_t n = 1; n <= total; ++n) {
    ASSERT_TRUE(f.append(Four(initial(n)).b));
    model.push_back(initial(n));
    ASSERT_EQ(f.count(), n);
  }
  expect_records(f, model);
  ASSERT_TRUE(f.close());
  EXPECT_EQ(bytes_on_disk(), file_of(model));

  ASSERT_TRUE(f.open(path_, 4, false));
  expect_records(f, model);
  // Reading backwards evicts every block in the other order.
  for (std::int64_t n = total; n >= 1; n -= 997) ASSERT_EQ(read_value(f, n), model[n - 1]);
  EXPECT_TRUE(f.close());
}

TEST_F(RecordFileTest, RewritesInPlaceStayCoherentThroughEvictions) {
  const std::int64_t total = 3 * kCachedRecords;
  std::vector<std::int32_t> model;
  RecordFile f;
  ASSERT_TRUE(f.create(path_, 4));
  for (std::int64_t n = 1; n <= total; ++n) {
    ASSERT_TRUE(f.append(Four(initial(n)).b));
    model.push_back(initial(n));
  }
  ASSERT_TRUE(f.close());

  ASSERT_TRUE(f.open(path_, 4, true));
  // Rewrites scattered over every block, each checked at once and again
  // after the cache has turned over several times.
  std::uint64_t lcg = 12345;
  for (int i = 0; i < 40000; ++i) {
    lcg = lcg * 6364136223846793005ULL + 1442695040888963407ULL;
    std::int64_t n = static_cast<std::int64_t>((lcg >> 33) % static_cast<std::uint64_t>(total)) + 1;
    std::int32_t v = static_cast<std::int32_t>(lcg >> 40) - i;
    ASSERT_TRUE(f.write(n, Four(v).b));
    model[n - 1] = v;
    ASSERT_EQ(read_value(f, n), v);
    // A far record in between, so the block just written is soon evicted.
    std::int64_t far = (n + total / 2) % total + 1;
    ASSERT_EQ(read_value(f, far), model[far - 1]);
  }
  expect_records(f, model);
  EXPECT_EQ(f.count(), total);
  ASSERT_TRUE(f.close());
  EXPECT_EQ(bytes_on_disk(), file_of(model));

  ASSERT_TRUE(f.open(path_, 4, false));
  expect_records(f, model);
  EXPECT_TRUE(f.close());
}

TEST_F(RecordFileTest, ReadRewriteAndAppendThreeLikeTheLayerNodes) {
  // Each of the first records is read, rewritten with the numbers of three
  // new records and those are appended at the end: the end runs far ahead of
  // the records being rewritten, past the cache.
  const std::int64_t first = kCachedRecords / 2 + 5;
  std::vector<std::int32_t> model;
  RecordFile f;
  ASSERT_TRUE(f.create(path_, 4));
  for (std::int64_t n = 1; n <= first; ++n) {
    ASSERT_TRUE(f.append(Four(initial(n)).b));
    model.push_back(initial(n));
  }
  ASSERT_TRUE(f.close());
  ASSERT_TRUE(f.open(path_, 4, true));
  for (std::int64_t n = 1; n <= first; ++n) {
    ASSERT_EQ(read_value(f, n), model[n - 1]);
    std::int32_t next = static_cast<std::int32_t>(f.count()) + 1;
    ASSERT_TRUE(f.write(n, Four(-next).b));
    model[n - 1] = -next;
    for (int k = 0; k < 3; ++k) {
      ASSERT_TRUE(f.append(Four(next + k).b));
      model.push_back(next + k);
    }
    // Now and then look back at an early record, as shared nodes do.
    if (n % 1000 == 0) {
      ASSERT_EQ(read_value(f, n / 2), model[n / 2 - 1]);
    }
  }
  EXPECT_EQ(f.count(), 4 * first);
  expect_records(f, model);
  ASSERT_TRUE(f.close());
  EXPECT_EQ(bytes_on_disk(), file_of(model));
}

TEST_F(RecordFileTest, TwoFilesKeepTheirOwnCaches) {
  std::string other = path_ + ".second";
  RecordFile a, b;
  ASSERT_TRUE(a.create(path_, 4));
  ASSERT_TRUE(b.create(other, 4));
  std::vector<std::int32_t> ma, mb;
  for (std::int64_t n = 1; n <= kCachedRecords + 100; ++n) {
    ASSERT_TRUE(a.append(Four(static_cast<std::int32_t>(n)).b));
    ASSERT_TRUE(b.append(Four(static_cast<std::int32_t>(-n)).b));
    ma.push_back(static_cast<std::int32_t>(n));
    mb.push_back(static_cast<std::int32_t>(-n));
  }
  expect_records(a, ma);
  expect_records(b, mb);
  EXPECT_TRUE(a.close());
  EXPECT_TRUE(b.close());
  EXPECT_EQ(bytes_on_disk(), file_of(ma));
  std::ifstream in(other, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  EXPECT_EQ(s.str(), file_of(mb));
  in.close();
  fs::remove(other);
}

TEST_F(RecordFileTest, ReopeningWithoutClosingWritesBackFirst) {
  RecordFile f;
  ASSERT_TRUE(f.create(path_, 4));
  ASSERT_TRUE(f.append(Four(41).b));
  ASSERT_TRUE(f.open(path_, 4, true));  // closes, so record 1 is on disk
  EXPECT_EQ(f.count(), 1);
  EXPECT_EQ(read_value(f, 1), 41);
  ASSERT_TRUE(f.write(1, Four(42).b));
  {
    RecordFile g;  // the destructor writes back as well
    ASSERT_TRUE(g.open(path_, 4, true));
    ASSERT_TRUE(g.append(Four(43).b));
  }
  EXPECT_EQ(bytes_on_disk(), file_of({41, 43}));
  EXPECT_TRUE(f.close());
  EXPECT_EQ(bytes_on_disk(), file_of({42, 43}));
}

TEST_F(RecordFileTest, AFailedWriteBackIsReportedByClose) {
  // A device that refuses every write, where there is one.
  RecordFile f;
  if (!f.open("/dev/full", 4, true)) {
    GTEST_SKIP() << "no /dev/full here";
  }
  ASSERT_TRUE(f.append(Four(1).b));
  EXPECT_FALSE(f.close());
  EXPECT_FALSE(f.is_open());
}

}  // namespace
}  // namespace lira

namespace lira {
namespace {

// The same file in a string: the bytes are those a file on disk would hold.
TEST(RecordFileInMemory, TheStringHoldsTheBytesOfTheFile) {
  std::string bytes = "old contents";
  RecordFile f(&bytes);
  // No path is used: one that no disk has serves.
  ASSERT_TRUE(f.create("/no/such/folder/nodes.tmp", 6));
  EXPECT_EQ(bytes, "");
  const unsigned char a[6] = {1, 2, 3, 4, 5, 6};
  const unsigned char b[6] = {7, 8, 9, 10, 11, 12};
  EXPECT_TRUE(f.append(a));
  EXPECT_TRUE(f.append(b));
  EXPECT_TRUE(f.write(3, a));
  EXPECT_FALSE(f.write(5, b));  // no gap
  EXPECT_TRUE(f.close());
  EXPECT_FALSE(f.is_open());
  EXPECT_EQ(bytes, std::string("\1\2\3\4\5\6\7\10\11\12\13\14\1\2\3\4\5\6", 18));

  ASSERT_TRUE(f.open("", 6, false));
  EXPECT_EQ(f.count(), 3);
  unsigned char r[6];
  ASSERT_TRUE(f.read(2, r));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(r), 6), std::string("\7\10\11\12\13\14", 6));
  EXPECT_FALSE(f.read(4, r));
  EXPECT_FALSE(f.write(1, b));  // read-only
  EXPECT_TRUE(f.close());
  EXPECT_EQ(bytes.size(), 18u);

  // A trailing part record is no record, and an append replaces it.
  bytes = file_of({1, 2}) + "xy";
  RecordFile g;
  g.keep_in_memory(&bytes);
  ASSERT_TRUE(g.open("elements.tmp", 4, true));
  EXPECT_EQ(g.count(), 2);
  EXPECT_TRUE(g.append(Four(3).b));
  EXPECT_TRUE(g.close());
  EXPECT_EQ(bytes, file_of({1, 2, 3}));
}

TEST(RecordFileInMemory, ManyBlocksSurviveEvictionAndReopen) {
  const std::int64_t total = 2 * kCachedRecords + kRecordsPerBlock / 2 + 1;
  std::vector<std::int32_t> model;
  std::string bytes;
  RecordFile f(&bytes);
  ASSERT_TRUE(f.create("loades.tmp", 4));
  for (std::int64_t n = 1; n <= total; ++n) {
    ASSERT_TRUE(f.append(Four(initial(n)).b));
    model.push_back(initial(n));
  }
  // Rewrites in place, far behind the blocks cached last.
  for (std::int64_t n = 1; n <= total; n += 1009) {
    ASSERT_TRUE(f.write(n, Four(-initial(n)).b));
    model[n - 1] = -initial(n);
  }
  expect_records(f, model);
  ASSERT_TRUE(f.close());
  EXPECT_EQ(bytes, file_of(model));

  ASSERT_TRUE(f.open("loades.tmp", 4, false));
  for (std::int64_t n = total; n >= 1; n -= 997) ASSERT_EQ(read_value(f, n), model[n - 1]);
  EXPECT_TRUE(f.close());
}

}  // namespace
}  // namespace lira
