// A#00.A: the plates' table entries, found by their content in one forward
// scan that passes every other byte to B#00.B unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/writer.h"
#include "element_list.h"

namespace keslow {

/// The bytes of one plate's table entry, little-endian: in the forces table
/// (16 bytes: element number, nodes 1 and 2, type, stiffness) or in the
/// elements table (type, stiffness, nodes 1 to 4; 16 bytes for a triangle,
/// which has no node 4).
struct Entry {
  unsigned char bytes[20] = {};
  std::size_t size = 0;
  std::size_t anchor = 0;  // the type's low byte, which the scan looks for first
};

/// The entry that A#00.A holds for `plate` in the table of `pass`.
Entry table_entry(const Element& plate, Pass pass);

/// The entry of a plain plate: type minus 200 (41, 42, 44) and the entered
/// stiffness number, of which the low 16 bits are kept.
Entry plain_entry(const Entry& layered, Pass pass, std::int32_t stiffness);

/// Reads A#00.A from its start to its end once, through a buffer of bounded
/// size, and writes what it passes to B#00.B. The result is the byte-by-byte
/// sliding window: a window at each position in turn, its first byte passed
/// on when it is not the entry sought. Entries are replaced inside the buffer,
/// so B#00.B is written in large blocks, as a copy would be.
class PlateScan {
 public:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

  /// Neither stream is owned. `buffer_size` is at least 64 (tests take small
  /// buffers to cross their edges often).
  PlateScan(std::FILE* in, lira::Writer& out, std::size_t buffer_size = kBufferSize);
  /// Writes what was passed on and not yet written, so that a run stopped on
  /// an error leaves in B#00.B every byte passed before the stop.
  ~PlateScan();
  PlateScan(const PlateScan&) = delete;
  PlateScan& operator=(const PlateScan&) = delete;

  /// Looks for `sought` from the current position on. Found: the bytes before
  /// it are passed on, `replacement` (of the same size) takes its place and
  /// the position is right after it. Not found: the scan has passed each byte
  /// up to the first position where no whole entry fits before the end of the
  /// file, that byte included, and the file is at its end.
  bool replace(const Entry& sought, const Entry& replacement);

  /// Passes the rest of the file on and writes it.
  void copy_rest();

  /// Writes to the output every byte passed on so far.
  void flush();

 private:
  /// Writes what was passed, keeps the bytes not yet passed, moved to the
  /// buffer's front, and reads more behind them; at the end of the file sets
  /// at_end_.
  void refill();

  std::FILE* in_;
  lira::Writer& out_;
  std::vector<unsigned char> buffer_;
  std::size_t written_ = 0;  // bytes before it are written to the output
  std::size_t pos_ = 0;      // the current position: bytes before it are passed on
  std::size_t end_ = 0;      // the bytes read into the buffer
  bool at_end_ = false;      // nothing more to read
};

}  // namespace keslow
