#include "load_values.h"

#include "common/record_file.h"
#include "common/stop.h"
#include "messages.h"

namespace tarvex {

namespace {

// Document 7: one load record per line, the lines numbered 1, 2, 3, ...
void read_values(Run& run) {
  if (!run.loads.create("loades.tmp", kLoadRecordSize)) {
    lira::fail(msg::kLoadsCantOpen);
  }
  lira::ValueLineReader reader(run.reader);
  lira::ValueLine line;
  while (reader.next(line)) {
    LoadRecord record;
    record.line = line.line;
    for (int i = 0; i < 4; ++i) record.value[i] = line.value[i];
    unsigned char bytes[kLoadRecordSize];
    lira::encode_fields(record, bytes);
    if (!run.loads.append(bytes)) lira::fail(msg::kLoadsCantWrite);
  }
  if (!run.loads.close()) lira::fail(msg::kLoadsCantWriteToEnd);
}

// Documents 12 and 16, searched on from the end of document 7.
void read_load_cases(Run& run) {
  lira::LoadCaseList list;
  lira::read_load_cases(run.reader, list);
  run.load_cases = list.number;
  run.load_case_count = list.count;
  run.model.close();
}

}  // namespace

void read_load_values(Run& run) {
  run.load_cases.fill(0);
  run.load_case_count = 0;
  read_values(run);
  read_load_cases(run);
}

}  // namespace tarvex
