#include "plate_search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/stop.h"

namespace keslow {
namespace {

std::string bytes_of(const Entry& e) {
  return std::string(reinterpret_cast<const char*>(e.bytes), e.size);
}

Entry entry_of(const std::string& bytes, std::size_t anchor = 0) {
  Entry e;
  e.anchor = anchor;
  for (std::size_t i = 0; i < bytes.size(); ++i) e.bytes[i] = static_cast<unsigned char>(bytes[i]);
  e.size = bytes.size();
  return e;
}

Element plate(std::int32_t number, std::int32_t type, std::int16_t stiffness,
              std::int32_t n1, std::int32_t n2, std::int32_t n3, std::int32_t n4) {
  Element e;
  e.number = number;
  e.type = type;
  e.stiffness = stiffness;
  e.nodes[0] = n1;
  e.nodes[1] = n2;
  e.nodes[2] = n3;
  e.nodes[3] = n4;
  return e;
}

TEST(TableEntry, ForcesTableLayout) {
  Entry e = table_entry(plate(0x01020304, 241, 3, 0x11, -2, 99, 98), Pass::kForces);
  EXPECT_EQ(std::string("\x04\x03\x02\x01"
                        "\x11\x00\x00\x00"
                        "\xFE\xFF\xFF\xFF"
                        "\xF1\x00"
                        "\x03\x00", 16),
            bytes_of(e));
}

TEST(TableEntry, ElementsTableLayout) {
  Entry e = table_entry(plate(7, 244, -1, 1, 256, 65536, 0x7FFFFFFF), Pass::kElements);
  EXPECT_EQ(std::string("\xF4\x00"
                        "\xFF\xFF"
                        "\x01\x00\x00\x00"
                        "\x00\x01\x00\x00"
                        "\x00\x00\x01\x00"
                        "\xFF\xFF\xFF\x7F", 20),
            bytes_of(e));
  // A triangle has no node 4: its entry is 16 bytes.
  Entry t = table_entry(plate(7, 242, 2, 1, 2, 3, 0), Pass::kElements);
  EXPECT_EQ(std::string("\xF2\x00\x02\x00\x01\x00\x00\x00\x02\x00\x00\x00\x03\x00\x00\x00", 16),
            bytes_of(t));
}

TEST(PlainEntry, TypeMinus200AndTheLow16BitsOfTheStiffness) {
  Entry f = plain_entry(table_entry(plate(1, 244, 3, 5, 6, 0, 0), Pass::kForces), Pass::kForces,
                        70000);  // 0x11170
  EXPECT_EQ(std::string("\x01\x00\x00\x00\x05\x00\x00\x00\x06\x00\x00\x00\x2C\x00\x70\x11", 16),
            bytes_of(f));
  Entry t = plain_entry(table_entry(plate(1, 242, 3, 5, 6, 7, 0), Pass::kElements),
                        Pass::kElements, -2);
  EXPECT_EQ(std::string("\x2A\x00\xFE\xFF\x05\x00\x00\x00\x06\x00\x00\x00\x07\x00\x00\x00", 16),
            bytes_of(t));
  Entry q = plain_entry(table_entry(plate(1, 241, 3, 5, 6, 7, 8), Pass::kElements),
                        Pass::kElements, 7);
  EXPECT_EQ(std::string("\x29\x00\x07\x00\x05\x00\x00\x00\x06\x00\x00\x00\x07\x00\x00\x00"
                        "\x08\x00\x00\x00", 20),
            bytes_of(q));
}

/// A#00.A in a temporary file and B#00.B in a string.
class Scan {
 public:
  Scan(const std::string& a, std::size_t buffer_size = PlateScan::kBufferSize)
      : file_(std::tmpfile()), out_(&out_text_) {
    std::fwrite(a.data(), 1, a.size(), file_);
    std::rewind(file_);
    scan_ = std::make_unique<PlateScan>(file_, out_, buffer_size);
  }
  ~Scan() {
    scan_.reset();
    std::fclose(file_);
  }
  /// Replaces `entry` by as many `mark` characters; the scan looks for the
  /// byte at `anchor` first.
  bool find(const std::string& entry, char mark = '#', std::size_t anchor = 0) {
    return scan_->replace(entry_of(entry, anchor), entry_of(std::string(entry.size(), mark)));
  }
  void copy_rest() { scan_->copy_rest(); }
  /// What B#00.B holds once the scan has written what it passed.
  const std::string& b() {
    scan_->flush();
    return out_text_;
  }
  /// What is written without a flush.
  const std::string& written() const { return out_text_; }

 private:
  std::string out_text_;
  std::FILE* file_;
  lira::Writer out_;
  std::unique_ptr<PlateScan> scan_;
};

const std::string kEntry16 = "ABCDEFGHIJKLMNOP";
const std::string kEntry20 = "abcdefghijklmnopqrst";

TEST(PlateScan, BytesBeforeTheEntryArePassedAndTheRestCopied) {
  Scan s("0123456789" + kEntry16 + "xyz");
  ASSERT_TRUE(s.find(kEntry16, '#', 12));
  EXPECT_EQ("0123456789################", s.b());
  s.copy_rest();
  EXPECT_EQ("0123456789################xyz", s.written());
}

TEST(PlateScan, EntriesOneAfterAnotherAndAtBothEnds) {
  Scan s(kEntry16 + kEntry16 + "-" + kEntry20);
  ASSERT_TRUE(s.find(kEntry16, '1'));
  ASSERT_TRUE(s.find(kEntry16, '2'));
  ASSERT_TRUE(s.find(kEntry20, '3'));
  s.copy_rest();
  EXPECT_EQ(std::string(16, '1') + std::string(16, '2') + "-" + std::string(20, '3'), s.written());
}

TEST(PlateScan, NoEntryPassesBytesUpToTheFirstWindowThatRunsPastTheEnd) {
  // 40 bytes, a 16-byte entry: the windows at 0..24 fit; the one at 25 does
  // not, and its first byte is the last one passed.
  std::string a(40, '.');
  for (int i = 0; i < 40; ++i) a[i] = static_cast<char>('a' + i % 26);
  Scan s(a);
  EXPECT_FALSE(s.find(kEntry16));
  EXPECT_EQ(a.substr(0, 26), s.written());
  // The file is at its end: nothing more is found or passed.
  EXPECT_FALSE(s.find(kEntry16));
  s.copy_rest();
  EXPECT_EQ(a.substr(0, 26), s.b());
}

TEST(PlateScan, NoEntryWithFewerBytesLeftThanAnEntry) {
  Scan s("0123456789" + kEntry16 + "abc");
  ASSERT_TRUE(s.find(kEntry16));
  EXPECT_FALSE(s.find(kEntry20));
  EXPECT_EQ("0123456789" + std::string(16, '#') + "a", s.written());
}

TEST(PlateScan, NoEntryAtTheEndOfTheFilePassesNothing) {
  Scan s("0123" + kEntry16);
  ASSERT_TRUE(s.find(kEntry16));
  EXPECT_FALSE(s.find(kEntry16));
  EXPECT_EQ("0123" + std::string(16, '#'), s.b());
  Scan empty("");
  EXPECT_FALSE(empty.find(kEntry16));
  EXPECT_EQ("", empty.b());
}

TEST(PlateScan, AnEntryCutByTheEndOfTheFileIsNotFound) {
  std::string a = "0123456789" + kEntry16.substr(0, 15);
  Scan s(a);
  EXPECT_FALSE(s.find(kEntry16));
  EXPECT_EQ("0123456789A", s.b());
}

TEST(PlateScan, ASixteenByteEntryInTheLastBytesOfTheFile) {
  // The elements table may end the file with a triangle.
  Scan s("01234" + kEntry20 + kEntry16);
  ASSERT_TRUE(s.find(kEntry20, 'q'));
  ASSERT_TRUE(s.find(kEntry16, 't'));
  s.copy_rest();
  EXPECT_EQ("01234" + std::string(20, 'q') + std::string(16, 't'), s.written());
}

TEST(PlateScan, PartialMatchesDoNotHideTheEntry) {
  std::string a = "AAAABCDEFGHIJKLMNOABCDEFGHIJKLMNOPAB";
  Scan s(a);
  ASSERT_TRUE(s.find(kEntry16));
  s.copy_rest();
  EXPECT_EQ("AAAABCDEFGHIJKLMNO" + std::string(16, '#') + "AB", s.written());
}

TEST(PlateScan, EntriesAcrossTheEdgesOfASmallBuffer) {
  // Every position of the entry around the first edges of a 64-byte buffer.
  for (std::size_t at = 30; at < 200; ++at) {
    std::string a = std::string(at, 'z') + kEntry20 + std::string(70, 'y');
    Scan s(a, 64);
    ASSERT_TRUE(s.find(kEntry20, '!')) << at;
    s.copy_rest();
    ASSERT_EQ(std::string(at, 'z') + std::string(20, '!') + std::string(70, 'y'), s.written())
        << at;
  }
}

TEST(PlateScan, ReadsALargeFileThroughItsBoundedBuffer) {
  std::string a;
  for (int i = 0; i < 3000000; ++i) a += static_cast<char>(i * 7);
  a.replace(2500000, 16, kEntry16);
  Scan s(a);
  ASSERT_TRUE(s.find(kEntry16));
  // Written in blocks: not yet all that was passed.
  EXPECT_GT(2500000u, s.written().size());
  s.copy_rest();
  EXPECT_TRUE(a.substr(0, 2500000) + std::string(16, '#') + a.substr(2500016) == s.written());
}

// The scan as the byte-by-byte sliding window over a string: each window in
// turn, its first byte passed on when it does not hold the entry; the first
// window that runs past the end passes its first byte and ends the file.
struct SlidingWindow {
  std::string a;
  std::size_t pos = 0;
  bool at_end = false;
  std::string b;

  bool find(const std::string& entry) {
    if (at_end) return false;
    for (std::size_t q = pos;; ++q) {
      if (q + entry.size() > a.size()) {
        if (q < a.size()) b += a[q];
        pos = a.size();
        at_end = true;
        return false;
      }
      if (a.compare(q, entry.size(), entry) == 0) {
        pos = q + entry.size();
        return true;
      }
      b += a[q];
    }
  }
  void copy_rest() {
    b += a.substr(pos);
    pos = a.size();
  }
};

TEST(PlateScan, SameBytesAsTheSlidingWindowOnRandomFiles) {
  std::mt19937 random(12345);
  // Few distinct bytes, so that windows often match in part.
  const char alphabet[] = {'\0', '\x01', '\xF1', '\xF2'};
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  for (int round = 0; round < 400; ++round) {
    std::vector<std::string> entries;
    int entry_count = 1 + static_cast<int>(pick(6));
    for (int k = 0; k < entry_count; ++k) {
      std::string e(pick(2) ? 16 : 20, '\0');
      for (char& c : e) c = alphabet[pick(4)];
      entries.push_back(e);
    }
    std::string a;
    std::size_t length = pick(400);
    for (std::size_t i = 0; i < length; ++i) a += alphabet[pick(4)];
    // Plant most of the entries, in order, some at the very end.
    for (const std::string& e : entries) {
      if (pick(5) == 0) continue;
      std::size_t at = a.empty() ? 0 : pick(a.size() + 1);
      if (pick(4) == 0) at = a.size();
      a.insert(at, e);
    }
    std::size_t buffer = 64 + pick(100);
    SlidingWindow expected;
    expected.a = a;
    Scan actual(a, buffer);
    for (std::size_t k = 0; k < entries.size(); ++k) {
      bool want = expected.find(entries[k]);
      std::size_t anchor = pick(entries[k].size());
      ASSERT_EQ(want, actual.find(entries[k], '#', anchor)) << "round " << round << " entry " << k;
      if (want) expected.b += std::string(entries[k].size(), '#');
      ASSERT_EQ(expected.b, actual.b()) << "round " << round << " entry " << k;
    }
    expected.copy_rest();
    actual.copy_rest();
    ASSERT_EQ(expected.b, actual.written()) << "round " << round;
  }
}

}  // namespace
}  // namespace keslow
