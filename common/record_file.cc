#include "record_file.h"

#include <algorithm>
#include <limits>

namespace lira {
namespace {

// A mesh's lookups stay near the records just used (the nodes of two rows,
// the end of the file that grows), so a few small blocks serve them; more
// would only make the memory of a run grow with the model. 12 KiB blocks of
// 24-byte records, 192 KiB at most per file.
constexpr int kRecordsPerBlock = 512;
constexpr int kBlockCount = 16;

// Offsets beyond what fseek takes (a 32-bit long on Windows) are refused
// rather than wrapped round to another part of the file.
bool seek_to(std::FILE* file, std::int64_t offset) {
  if (offset < 0 || offset > std::numeric_limits<long>::max()) return false;
  return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
}

}  // namespace

struct RecordFile::Block {
  std::int64_t number = -1;  // -1: empty
  std::size_t used = 0;      // bytes of the block that hold records
  bool dirty = false;
  std::uint64_t last_use = 0;
  unsigned char* data = nullptr;
};

namespace {
std::uint64_t use_clock = 0;
}

RecordFile::RecordFile() {}

RecordFile::RecordFile(std::string* bytes) { keep_in_memory(bytes); }

RecordFile::~RecordFile() { close(); }

void RecordFile::keep_in_memory(std::string* bytes) {
  close();
  memory_ = bytes;
}

void RecordFile::start(int record_size, bool writable) {
  record_size_ = record_size;
  writable_ = writable;
  failed_ = false;
}

bool RecordFile::create(const std::string& path, int record_size) {
  close();
  if (record_size < 1) return false;
  if (memory_ != nullptr) {
    memory_->clear();
    memory_open_ = true;
  } else {
    file_ = std::fopen(path.c_str(), "w+b");
    if (file_ == nullptr) return false;
  }
  count_ = 0;
  start(record_size, true);
  return true;
}

bool RecordFile::open(const std::string& path, int record_size, bool writable) {
  close();
  if (record_size < 1) return false;
  std::int64_t size = 0;
  if (memory_ != nullptr) {
    memory_open_ = true;
    size = static_cast<std::int64_t>(memory_->size());
  } else {
    file_ = std::fopen(path.c_str(), writable ? "r+b" : "rb");
    if (file_ == nullptr) return false;
    std::fseek(file_, 0, SEEK_END);
    size = std::ftell(file_);
    // A size that ftell cannot give (beyond 2 GiB where long has 32 bits) is
    // no empty file: refuse it as a file that cannot be opened.
    if (size < 0) {
      std::fclose(file_);
      file_ = nullptr;
      return false;
    }
  }
  count_ = size / record_size;
  start(record_size, writable);
  return true;
}

bool RecordFile::close() {
  if (!is_open()) return true;
  if (blocks_ != nullptr) {
    for (int i = 0; i < kBlockCount; ++i) {
      if (blocks_[i].dirty) write_back(blocks_[i]);
      delete[] blocks_[i].data;
    }
    delete[] blocks_;
    blocks_ = nullptr;
    last_ = nullptr;
  }
  if (file_ != nullptr) {
    // Some C runtimes' fclose does not report a failed last write: flush first.
    if (std::fflush(file_) != 0) failed_ = true;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
  }
  memory_open_ = false;
  count_ = 0;
  return !failed_;
}

bool RecordFile::read_bytes(std::int64_t offset, unsigned char* data, std::size_t size) {
  if (memory_ != nullptr) {
    if (offset < 0 || static_cast<std::uint64_t>(offset) + size > memory_->size()) return false;
    std::memcpy(data, memory_->data() + offset, size);
    return true;
  }
  return seek_to(file_, offset) && std::fread(data, 1, size, file_) == size;
}

bool RecordFile::write_bytes(std::int64_t offset, const unsigned char* data, std::size_t size) {
  if (memory_ != nullptr) {
    if (offset < 0) return false;
    std::size_t end = static_cast<std::size_t>(offset) + size;
    if (memory_->size() < end) memory_->resize(end);
    std::memcpy(memory_->data() + offset, data, size);
    return true;
  }
  return seek_to(file_, offset) && std::fwrite(data, 1, size, file_) == size;
}

bool RecordFile::write_back(Block& block) {
  std::int64_t offset = block.number * kRecordsPerBlock * record_size_;
  if (!write_bytes(offset, block.data, block.used)) failed_ = true;
  block.dirty = false;
  return !failed_;
}

RecordFile::Block* RecordFile::block_for(std::int64_t block_number) {
  if (last_ != nullptr && last_->number == block_number) {
    last_->last_use = ++use_clock;
    return last_;
  }
  last_ = fetch_block(block_number);
  return last_;
}

RecordFile::Block* RecordFile::fetch_block(std::int64_t block_number) {
  std::size_t block_bytes = static_cast<std::size_t>(kRecordsPerBlock) * record_size_;
  if (blocks_ == nullptr) blocks_ = new Block[kBlockCount];
  Block* victim = &blocks_[0];
  for (int i = 0; i < kBlockCount; ++i) {
    Block& b = blocks_[i];
    if (b.number == block_number) {
      b.last_use = ++use_clock;
      return &b;
    }
    if (b.last_use < victim->last_use) victim = &b;
  }
  if (victim->dirty) write_back(*victim);
  if (victim->data == nullptr) victim->data = new unsigned char[block_bytes];
  victim->number = block_number;
  victim->dirty = false;
  victim->last_use = ++use_clock;
  std::int64_t first_byte = block_number * static_cast<std::int64_t>(block_bytes);
  std::int64_t in_file = count_ * record_size_ - first_byte;
  victim->used = static_cast<std::size_t>(std::clamp<std::int64_t>(in_file, 0, block_bytes));
  if (victim->used > 0) {
    if (!read_bytes(first_byte, victim->data, victim->used)) {
      // Records that could not be read are never handed out as if they had been.
      failed_ = true;
      victim->number = -1;
      victim->used = 0;
      return nullptr;
    }
  }
  return victim;
}

bool RecordFile::read(std::int64_t n, unsigned char* record) {
  if (!is_open() || n < 1 || n > count_) return false;
  Block* b = block_for((n - 1) / kRecordsPerBlock);
  if (b == nullptr) return false;
  std::size_t offset = static_cast<std::size_t>((n - 1) % kRecordsPerBlock) * record_size_;
  std::memcpy(record, b->data + offset, record_size_);
  return true;
}

bool RecordFile::write(std::int64_t n, const unsigned char* record) {
  if (!is_open() || !writable_ || n < 1 || n > count_ + 1) return false;
  // The record's end must stay within reach of a seek.
  if (n > std::numeric_limits<long>::max() / record_size_) return false;
  Block* b = block_for((n - 1) / kRecordsPerBlock);
  if (b == nullptr) return false;
  std::size_t offset = static_cast<std::size_t>((n - 1) % kRecordsPerBlock) * record_size_;
  std::memcpy(b->data + offset, record, record_size_);
  b->dirty = true;
  b->used = std::max(b->used, offset + record_size_);
  if (n == count_ + 1) ++count_;
  return true;
}

}  // namespace lira
