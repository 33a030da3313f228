#include "tarvex_reading.h"

#include <algorithm>

#include "common/message.h"
#include "common/model_reader.h"
#include "common/stop.h"
#include "program_messages.h"

namespace modelcheck {
namespace {

void read_stiffness(lira::ModelReader& r, TarvexModel& m) {
  int counter = 1;  // the preamble's real-constant set
  lira::StiffnessReader reader(r);
  lira::StiffnessRecord read;
  while (reader.next(read)) {
    // A stiffness defined again keeps what its new kind does not set.
    ModelStiffness& s = m.stiffness[static_cast<std::size_t>(read.number)];
    s.defined = true;
    s.kind = read.kind;
    s.modulus = read.modulus;
    switch (read.kind) {
      case lira::StiffnessKind::kElasticLink:
        s.real_set[0] = 1;
        break;
      case lira::StiffnessKind::kSolid: {
        lira::SlabLayers layers = lira::solid_layers(read);
        s.modulus = read.diagram.ec;
        s.poisson = read.poisson;
        s.section = read.section;
        s.layer[0] = layers.t_bottom;
        s.layer[1] = layers.t_middle;
        s.layer[2] = layers.t_top;
        s.real_set[1] = counter + 1;
        s.real_set[2] = counter + 2;
        s.real_set[0] = counter + 3;
        counter += 3;
        break;
      }
      case lira::StiffnessKind::kRectangularBar:
        s.section = read.section;
        s.real_set[0] = ++counter;
        break;
      case lira::StiffnessKind::kPlasticBar:
        s.section = read.section;
        if (read.has_holder) s.holder = read.holder;
        s.real_set[0] = ++counter;
        break;
      case lira::StiffnessKind::kPlate:
        s.poisson = read.poisson;
        s.section = read.section;
        s.real_set[0] = ++counter;
        break;
      case lira::StiffnessKind::kUnknown:
        break;
    }
  }
}

void read_nodes(lira::ModelReader& r, TarvexModel& m, bool keep) {
  r.in().get();  // the converter drops the character after document 3
  lira::NodeReader reader(r);
  lira::NodeCoordinates c;
  while (reader.next(c)) {
    if (keep) m.nodes.push_back(ModelNode{c.x, c.y, c.z});
  }
}

// The converter builds the slabs' layer nodes before it writes any element:
// it tests the layered shells' stiffnesses in a first reading of document 1,
// every element's type and stiffness in the next. One reading here keeps that
// order: a stop of the first reading comes at once, the first stop of the
// second waits for the end of the document, where nothing of the first has
// come before it.
void read_elements(lira::ModelReader& r, TarvexModel& m, bool keep) {
  lira::ElementReader reader(r, lira::ElementReader::Skip::kWithSlash);
  ModelElement e;
  std::int64_t wide = 0;  // the first element of a type beyond 16 bits
  std::int32_t wide_type = 0;
  // The first element whose stiffness has no ANSYS attributes: the writing
  // reading stops there, as the stiffness changes to it, before its nodes.
  std::int64_t undefined = 0;
  std::int32_t undefined_stiffness = 0;
  std::int32_t current = 0;  // the stiffness of the elements written before
  auto second_reading_stop = [&] {
    if (wide != 0 && (undefined == 0 || wide <= undefined)) {
      lira::check_element_type(wide, wide_type);
    }
    if (undefined != 0) {
      lira::fail(lira::message(msg::kUndefinedStiffness,
                               {std::to_string(undefined), std::to_string(undefined_stiffness)}));
    }
  };
  bool layered = false;
  try {
    while (reader.next(e.type)) {
      e.node_count = lira::element_nodes(e.type);
      layered = lira::is_layered_shell(e.type);
      if (wide == 0 && (e.type < INT16_MIN || e.type > INT16_MAX)) {
        wide = reader.element();
        wide_type = e.type;
      }
      if (e.node_count == 0) {
        e.stiffness = 0;
        std::fill(e.node, e.node + 4, 0);
        reader.skip();
      } else {
        e.stiffness = lira::stiffness_index(reader.stiffness());
        const ModelStiffness& s = m.stiffness[static_cast<std::size_t>(e.stiffness)];
        if (layered && s.real_set[1] == 0) {
          lira::refuse_layered_without_slab(reader.element(), e.type, e.stiffness);
        }
        if (undefined == 0 && e.stiffness != current) {
          if (e.stiffness != 0 && !s.defined) {
            undefined = reader.element();
            undefined_stiffness = e.stiffness;
          }
          current = e.stiffness;
        }
        reader.nodes(e.type, e.node);
      }
      if (keep) m.elements.push_back(e);
    }
  } catch (const lira::Stop&) {
    // Only a layered shell is read in the first reading; any other record
    // reached the second, which an earlier element has stopped.
    if (!layered) second_reading_stop();
    throw;
  }
  second_reading_stop();
}

void read_supports(lira::ModelReader& r, TarvexModel& m, bool keep) {
  lira::SupportReader reader(r);
  ModelSupport s;
  while (reader.next(s.node, s.code)) {
    if (keep) m.supports.push_back(s);
  }
}

void read_load_values(lira::ModelReader& r, TarvexModel& m, bool keep) {
  lira::ValueLineReader reader(r);
  lira::ValueLine line;
  while (reader.next(line)) {
    if (keep) m.values.push_back({line.value[0], line.value[1], line.value[2], line.value[3]});
  }
  lira::LoadCaseList list;
  lira::read_load_cases(r, list);
  // The load steps end at the first case numbered 0.
  for (int i = 0; i < list.count && list.number[static_cast<std::size_t>(i)] != 0; ++i) {
    m.load_cases.push_back(list.number[static_cast<std::size_t>(i)]);
  }
}

void read_load_table(lira::ModelReader& r, TarvexModel& m, bool keep) {
  lira::LoadTableReader reader(r);
  lira::LoadTableRecord t;
  while (reader.next(t)) {
    if (keep) m.loads.push_back(ModelLoad{t.number, t.load_type, t.direction, t.value_line, t.load_case});
  }
}

void read_model(lira::TextReader& in, TarvexModel& model, bool keep) {
  if (!in.open()) lira::fail("\nFile " + in.name() + " can't be opened.");
  lira::ModelReader r(in, lira::Echo());
  read_stiffness(r, model);
  read_nodes(r, model, keep);
  read_elements(r, model, keep);
  read_supports(r, model, keep);
  read_load_values(r, model, keep);
  // tarvex reads the load table once for each load case, and never where
  // document 16 lists none.
  if (!model.load_cases.empty()) read_load_table(r, model, keep);
  in.close();
}

}  // namespace

void read_tarvex_model(lira::TextReader& in, TarvexModel& model) { read_model(in, model, true); }

void read_tarvex_records(lira::TextReader& in) {
  TarvexModel stiffness_only;
  read_model(in, stiffness_only, false);
}

}  // namespace modelcheck
