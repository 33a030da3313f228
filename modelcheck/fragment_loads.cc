#include "fragment_loads.h"

#include "common/stop.h"
#include "common/text_model.h"
#include "common/writer.h"
#include "vantrel/fragment_table.h"

namespace modelcheck {
namespace {

// The loads of each block, in vantrel's order, kept instead of written.
struct LoadSink : vantrel::BlockSink {
  LoadSink(FragmentTable& t, std::int64_t first) : table(t), next_value_line(first) {}
  void block(const vantrel::BlockNodes& nodes, const vantrel::ValueGrid& grid) override {
    next_value_line += vantrel::check_block(nodes, grid, next_value_line);
    vantrel::for_each_load(nodes, grid, [&](std::int32_t node, int loading, int d, double v) {
      table.loads.push_back(FragmentLoad{node, loading, d, v});
    });
    ++table.blocks;
  }
  FragmentTable& table;
  std::int64_t next_value_line;
};

// Only what stops vantrel when it writes a block.
struct CheckSink : vantrel::BlockSink {
  explicit CheckSink(std::int64_t first) : next_value_line(first) {}
  void block(const vantrel::BlockNodes& nodes, const vantrel::ValueGrid& grid) override {
    next_value_line += vantrel::check_block(nodes, grid, next_value_line);
  }
  std::int64_t next_value_line;
};

}  // namespace

std::string table_stop(lira::TextReader& table, std::int64_t first_value_line) {
  lira::Writer trace;  // open on nothing: the listing is discarded
  CheckSink sink(first_value_line);
  try {
    vantrel::read_fragment_table(table, sink, trace);
  } catch (const lira::Stop& s) {
    return s.message;
  }
  return "";
}

bool read_fragment_loads(std::string_view text, FragmentTable& table, std::string& stop,
                         std::int64_t first_value_line) {
  lira::TextReader in = lira::TextReader::from_text("loadfrag.txt", text);
  lira::Writer trace;  // open on nothing: the listing is discarded
  LoadSink sink(table, first_value_line);
  try {
    vantrel::read_fragment_table(in, sink, trace);
  } catch (const lira::Stop& s) {
    stop = s.message;
    return false;
  }
  return true;
}

}  // namespace modelcheck
