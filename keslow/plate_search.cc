#include "plate_search.h"

#include <algorithm>
#include <cstring>

#include "common/record_file.h"
#include "common/stop.h"
#include "messages.h"

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
    e.anchor = 12;
  } else {
    lira::put_i16(p, static_cast<std::int16_t>(plate.type));
    lira::put_i16(p + 2, plate.stiffness);
    lira::put_i32(p + 4, plate.nodes[0]);
    lira::put_i32(p + 8, plate.nodes[1]);
    lira::put_i32(p + 12, plate.nodes[2]);
    lira::put_i32(p + 16, plate.nodes[3]);
    e.size = lira::is_triangle(plate.type) ? 16 : 20;
  }
  return e;
}

Entry plain_entry(const Entry& layered, Pass pass, std::int32_t stiffness) {
  Entry e = layered;
  unsigned char* type = e.bytes + type_offset(pass);
  lira::put_i16(type, static_cast<std::int16_t>(lira::plain_plate_of(lira::get_i16(type))));
  lira::put_i16(type + 2, static_cast<std::int16_t>(static_cast<std::uint16_t>(stiffness)));
  return e;
}

PlateScan::PlateScan(std::FILE* in, lira::Writer& out, std::size_t buffer_size)
    : in_(in), out_(out), buffer_(std::max<std::size_t>(buffer_size, 64)) {
  // The scan's own buffer is the only one: reads go straight into it.
  std::setvbuf(in_, nullptr, _IONBF, 0);
}

PlateScan::~PlateScan() { flush(); }

void PlateScan::flush() {
  out_.write(reinterpret_cast<const char*>(buffer_.data() + written_), pos_ - written_);
  written_ = pos_;
}

void PlateScan::refill() {
  flush();
  std::size_t kept = end_ - pos_;
  std::memmove(buffer_.data(), buffer_.data() + pos_, kept);
  written_ = pos_ = 0;
  end_ = kept;
  while (end_ < buffer_.size()) {
    std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, in_);
    if (got == 0) {
      if (std::ferror(in_)) lira::fail(msg::kSourceCantRead);
      at_end_ = true;
      return;
    }
    end_ += got;
  }
}

namespace {

// The first window in [first, last) that holds `entry`, or `last`. Tables of
// small numbers are full of zero bytes, but the low byte of a layered plate's
// type (241, 242, 244) is rare in them: the scan looks for that byte first.
unsigned char* search(unsigned char* first, unsigned char* last, const Entry& entry) {
  std::size_t anchor = entry.anchor;
  unsigned char* p = first + anchor;
  unsigned char* stop = last - entry.size + anchor + 1;
  while (p < stop) {
    p = static_cast<unsigned char*>(
        std::memchr(p, entry.bytes[anchor], static_cast<std::size_t>(stop - p)));
    if (p == nullptr) break;
    unsigned char* window = p - anchor;
    if (std::memcmp(window, entry.bytes, entry.size) == 0) return window;
    ++p;
  }
  return last;
}

}  // namespace

bool PlateScan::replace(const Entry& sought, const Entry& replacement) {
  for (;;) {
    unsigned char* data = buffer_.data();
    if (end_ - pos_ >= sought.size) {
      unsigned char* found = search(data + pos_, data + end_, sought);
      if (found != data + end_) {
        std::memcpy(found, replacement.bytes, sought.size);
        pos_ = static_cast<std::size_t>(found - data) + sought.size;
        return true;
      }
      // No window that fits in the buffer holds the entry; the last
      // sought.size - 1 bytes wait for the bytes that follow them.
      pos_ = end_ - sought.size + 1;
    }
    if (at_end_) {
      // The window here runs past the end of the file, so it cannot hold the
      // entry: its first byte is passed on, the rest is never written.
      if (pos_ < end_) ++pos_;
      flush();
      written_ = pos_ = end_;
      return false;
    }
    refill();
  }
}

void PlateScan::copy_rest() {
  for (;;) {
    pos_ = end_;
    if (at_end_) break;
    refill();
  }
  flush();
}

}  // namespace keslow
