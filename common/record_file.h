// Files of fixed-size little-endian records.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace lira {

/// A binary file of fixed-size records without header or padding: record n
/// (from 1) lies at byte (n - 1) * size. Blocks of the file are kept in a small
/// fixed cache (a few hundred KiB, whatever the model's size), so a lookup, a rewrite
/// in place or an append usually costs no system call; dirty blocks are
/// written back when evicted and on `close`. The records can also live in a
/// string instead of a file, so that a test needs no file.
class RecordFile {
 public:
  RecordFile();
  /// Keeps the records in `bytes` (see `keep_in_memory`).
  explicit RecordFile(std::string* bytes);
  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  /// From now on the records live in `bytes`, which outlives this object,
  /// as they would in a file: `create` empties it, `open` finds what it
  /// holds, `close` leaves every record there. Paths are not used.
  void keep_in_memory(std::string* bytes);

  /// Creates or truncates the file, for reading and writing.
  bool create(const std::string& path, int record_size);
  /// Opens an existing file; `writable` allows rewrites and appends.
  bool open(const std::string& path, int record_size, bool writable);
  /// Writes back what is cached and closes; false when a write failed.
  bool close();
  bool is_open() const { return file_ != nullptr || memory_open_; }

  /// Number of whole records in the file.
  std::int64_t count() const { return count_; }
  /// Copies record n into `record` (record_size bytes); false when n is
  /// outside 1..count.
  bool read(std::int64_t n, unsigned char* record);
  /// Replaces record n (1..count) or appends it (count + 1); false otherwise.
  bool write(std::int64_t n, const unsigned char* record);
  bool append(const unsigned char* record) { return write(count_ + 1, record); }

 private:
  struct Block;
  Block* block_for(std::int64_t block_number);
  Block* fetch_block(std::int64_t block_number);
  bool write_back(Block& block);
  void start(int record_size, bool writable);
  // The bytes of the file or of the memory, at a byte offset.
  bool read_bytes(std::int64_t offset, unsigned char* data, std::size_t size);
  bool write_bytes(std::int64_t offset, const unsigned char* data, std::size_t size);

  std::FILE* file_ = nullptr;
  std::string* memory_ = nullptr;
  bool memory_open_ = false;
  bool writable_ = false;
  bool failed_ = false;
  int record_size_ = 0;
  std::int64_t count_ = 0;
  Block* blocks_ = nullptr;
  Block* last_ = nullptr;  // the block of the last lookup: the next one is usually there too
};

// Fields of a record, little-endian, whatever the machine.
inline void put_i32(unsigned char* p, std::int32_t v) {
  std::uint32_t u = static_cast<std::uint32_t>(v);
  p[0] = u & 0xFF; p[1] = (u >> 8) & 0xFF; p[2] = (u >> 16) & 0xFF; p[3] = (u >> 24) & 0xFF;
}
inline std::int32_t get_i32(const unsigned char* p) {
  std::uint32_t u = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  return static_cast<std::int32_t>(u);
}
inline void put_i16(unsigned char* p, std::int16_t v) {
  std::uint16_t u = static_cast<std::uint16_t>(v);
  p[0] = u & 0xFF; p[1] = (u >> 8) & 0xFF;
}
inline std::int16_t get_i16(const unsigned char* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}
inline void put_f32(unsigned char* p, float v) {
  std::uint32_t u;
  std::memcpy(&u, &v, 4);
  put_i32(p, static_cast<std::int32_t>(u));
}
inline float get_f32(const unsigned char* p) {
  std::uint32_t u = static_cast<std::uint32_t>(get_i32(p));
  float v;
  std::memcpy(&v, &u, 4);
  return v;
}

/// Writes the fields of a record one after the other from `at`. A record
/// type lists its fields once, in their order in the file, to a function
/// that a FieldWriter and a FieldReader both go through.
struct FieldWriter {
  unsigned char* at;
  void operator()(std::int16_t v) { put_i16(at, v); at += 2; }
  void operator()(std::int32_t v) { put_i32(at, v); at += 4; }
  void operator()(float v) { put_f32(at, v); at += 4; }
};

/// Reads the fields back, in the same order.
struct FieldReader {
  const unsigned char* at;
  void operator()(std::int16_t& v) { v = get_i16(at); at += 2; }
  void operator()(std::int32_t& v) { v = get_i32(at); at += 4; }
  void operator()(float& v) { v = get_f32(at); at += 4; }
};

/// The bytes of `record`, whose type lists its fields with a function
/// `fields(Record&, Field)` beside it.
template <class Record>
void encode_fields(Record record, unsigned char* bytes) {
  fields(record, FieldWriter{bytes});
}
template <class Record>
Record decode_fields(const unsigned char* bytes) {
  Record record;
  fields(record, FieldReader{bytes});
  return record;
}

}  // namespace lira
