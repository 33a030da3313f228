#include "plate_search.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "common/record_file.h"
#include "common/stop.h"

namespace keslow {
namespace {

// Where the type and the stiffness lie in the entry of each table.
std::size_t type_offset(Pass pass) { return pass == Pass::kForces ? 12 : 0; }

}  // namespace

Entry table_entry(const Element& plate, Pass pass) {
  Entry e;
  unsigned char* p = e.bytes;
  if (pass == Pass::kForces) {
    lira::put_i32(p, plate.number);
    lira::put_i32(p + 4, plate.nodes[0]);
    lira::put_i32(p + 8, plate.nodes[1]);
    lira::put_i16(p + 12, static_cast<std::int16_t>(plate.type));
    lira::put_i16(p + 14, plate.stiffness);
    e.size = 16;
  } else {
    lira::put_i16(p, static_cast<std::int16_t>(plate.type));
    lira::put_i16(p + 2, plate.stiffness);
    lira::put_i32(p + 4, plate.nodes[0]);
    lira::put_i32(p + 8, plate.nodes[1]);
    lira::put_i32(p + 12, plate.nodes[2]);
    lira::put_i32(p + 16, plate.nodes[3]);
    e.size = plate.type == 242 ? 16 : 20;
  }
  return e;
}

Entry plain_entry(const Entry& layered, Pass pass, std::int32_t stiffness) {
  Entry e = layered;
  unsigned char* type = e.bytes + type_offset(pass);
  lira::put_i16(type, static_cast<std::int16_t>(lira::get_i16(type) - 200));
  lira::put_i16(type + 2, static_cast<std::int16_t>(static_cast<std::uint16_t>(stiffness)));
  return e;
}

PlateScan::PlateScan(std::FILE* in, lira::Writer& out, std::size_t buffer_size)
    : in_(in), out_(out), buffer_(std::max<std::size_t>(buffer_size, 64)) {}

void PlateScan::pass_on(std::size_t end) {
  out_.write(reinterpret_cast<const char*>(buffer_.data() + pos_), end - pos_);
  pos_ = end;
}

void PlateScan::refill() {
  std::size_t kept = end_ - pos_;
  std::memmove(buffer_.data(), buffer_.data() + pos_, kept);
  pos_ = 0;
  end_ = kept;
  while (end_ < buffer_.size()) {
    std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, in_);
    if (got == 0) {
      if (std::ferror(in_)) lira::fail("\nFile A#00.A can't be read.");
      at_end_ = true;
      return;
    }
    end_ += got;
  }
}

bool PlateScan::find(const Entry& entry) {
  const unsigned char* data = buffer_.data();
  std::boyer_moore_horspool_searcher searcher(entry.bytes, entry.bytes + entry.size);
  for (;;) {
    if (end_ - pos_ >= entry.size) {
      const unsigned char* found = std::search(data + pos_, data + end_, searcher);
      if (found != data + end_) {
        pass_on(static_cast<std::size_t>(found - data));
        pos_ += entry.size;
        return true;
      }
      // No window that fits in the buffer holds the entry; the last
      // entry.size - 1 bytes wait for the bytes that follow them.
      pass_on(end_ - entry.size + 1);
    }
    if (at_end_) {
      // The window here runs past the end of the file, so it cannot hold the
      // entry: its first byte is passed on and the scan stops at the end.
      if (pos_ < end_) pass_on(pos_ + 1);
      pos_ = end_;
      return false;
    }
    refill();
    data = buffer_.data();
  }
}

void PlateScan::copy_rest() {
  for (;;) {
    pass_on(end_);
    if (at_end_) return;
    refill();
  }
}

}  // namespace keslow
