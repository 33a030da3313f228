#include "stiffness.h"

#include <cmath>
#include <cstring>

#include "common/lira_types.h"
#include "common/stop.h"
#include "materials.h"
#include "solids.h"

namespace tarvex {
namespace {

// The modulus of a plate stands where the kind would: a number with a point.
bool is_plate_modulus(const Run& run, const lira::Token& kind) {
  double e = real_value(run, kind).value;
  return e != 0 && e != HUGE_VAL && e != -HUGE_VAL &&
         std::memchr(kind.text, '.', static_cast<std::size_t>(kind.length)) != nullptr;
}

// v 3 E /
void read_elastic_link(Run& run, int v) {
  lira::Token token;
  lira::RealValue e = read_echoed_real(run, token);
  double modulus = e.value * kStressUnit;
  *run.console.out << "\n";
  if (!lira::ends_with_slash(e.end)) {
    lira::next_token(run.model, token);
    if (!lira::ends_stiffness_row(token.view())) refuse(" 51 el. type unrecognized.");
  }
  run.density[v] = 0;

  lira::Writer& s = run.script;
  write_modulus(s, v, modulus);
  write_poisson_head(s, v);
  s << "\n";
  // Elastic links share the real-constant set 1 of the preamble.
  set_attribute_text(run.stiffness.attribute[v], 4, v, 1, 0);
}

// v E nu t /   (the kind token is the modulus)
void read_plate(Run& run, int v, const lira::Token& kind) {
  double modulus = lira::to_real(kind).value * kStressUnit;
  lira::Token token;
  double nu = read_echoed_real(run, token).value;
  lira::RealValue t = read_echoed_real(run, token);
  run.stiffness.weight_intensity[v] = to_single(t.value * run.density[v]);
  if (!lira::ends_with_slash(t.end)) {
    next_echoed(run, token);
    if (!lira::ends_stiffness_row(token.view())) refuse(" bad stiffness.");
  }
  *run.console.out << "\n";

  lira::Writer& s = run.script;
  write_material(s, v, modulus, run.density[v]);
  s << nu << "\n";
  int n = next_real_constant_set(run);
  s << "!*\nR," << n << "," << t.value << ",0,0,0,0,0\n" << "RMORE,0,0,0,0\n";
  set_attribute_text(run.stiffness.attribute[v], 1, v, n, 0);
}

// v S0 E b h /
void read_rectangular_bar(Run& run, int v) {
  lira::Token token;
  double modulus = read_echoed_real(run, token).value * kStressUnit;
  double b = read_echoed_real(run, token).value / kCentimetre;
  lira::RealValue h_read = read_echoed_real(run, token);
  double h = h_read.value / kCentimetre;
  if (!lira::ends_with_slash(h_read.end)) lira::skip_record(run.model);
  *run.console.out << "\n";

  double area = h * b;
  double izz = b * (b * area) / 12;
  double iyy = h * (h * area) / 12;
  run.stiffness.weight_intensity[v] = to_single(area * run.density[v]);

  lira::Writer& s = run.script;
  write_material(s, v, modulus, run.density[v]);
  s << 0.16 << "\n";  // the Poisson's ratio of every bar
  int n = next_real_constant_set(run);
  s << "!*\nR," << n << "," << area << "," << izz << "," << iyy << "," << h << "," << b << ",\n";
  set_attribute_text(run.stiffness.attribute[v], 2, v, n, 0);
}

// Reads tokens without echo until one begins with one of the keywords. The
// end of the file first refuses the bar, and so does the end of the document:
// a keyword of a later document is none of the bar's.
void find_plastic_keyword(Run& run, lira::Token& token, const char* first, const char* second) {
  for (;;) {
    if (!lira::read_token(run.model, token) || token.first() == ')') {
      refuse(" error in stiffness of plastic bar.");
    }
    if (token.starts_with(first) || (second != nullptr && token.starts_with(second))) return;
  }
}

// v S100 b h /  v NB11/0 E s ... /  ... AZ holder ... TW ... /
void read_plastic_bar(Run& run, int v) {
  lira::Writer& con = *run.console.out;
  lira::Token token;
  double b = read_echoed_real(run, token).value / kCentimetre;
  lira::RealValue h_read = read_echoed_real(run, token);
  double h = h_read.value / kCentimetre;
  if (!lira::ends_with_slash(h_read.end)) lira::skip_record(run.model);
  con << "\n";
  double area = h * b;
  run.stiffness.weight_intensity[v] = to_single(area * run.density[v]);

  lira::next_token(run.model, token);  // the stiffness number of the material record
  next_echoed(run, token);
  if (!token.starts_with("NB11/0")) refuse(" plastic material of a bar not specified.");
  double modulus = read_echoed_real(run, token).value * kStressUnit;
  lira::RealValue s_read = read_echoed_real(run, token);
  double yield = std::fabs(s_read.value) * kStressUnit;
  // A slash glued to the yield stress ends the record there; skipping on to
  // the next slash would swallow the record after it.
  if (!lira::ends_with_slash(s_read.end)) lira::skip_record(run.model);
  con << "/\n" << "\n";

  find_plastic_keyword(run, token, "AZ", "TW");
  if (token.starts_with("AZ")) {
    lira::echo_token(run.console, token);
    lira::Token holder;
    lira::read_token(run.model, holder);
    con.write(holder.text, static_cast<std::size_t>(holder.length));
    con << " /\n";
    run.stiffness.holder[v] = to_single(real_value(run, holder).value);
    find_plastic_keyword(run, token, "TW", nullptr);
  }
  lira::echo_token(run.console, token);
  lira::skip_record(run.model);
  con << "/\n";

  lira::Writer& s = run.script;
  write_steel(s, v, modulus, run.density[v], yield);
  int n = next_real_constant_set(run);
  s << "!*\nR," << n << "," << area << ", ,\n!*\n!*\n";
  set_attribute_text(run.stiffness.attribute[v], 4, v, n, 0);
}

}  // namespace

void read_stiffness_document(Run& run) {
  if (!lira::find_record_document(run.model, lira::kStiffnessHeader)) {
    lira::fail("\nIncorrect modellir.txt: no stiffness.");
  }

  lira::Token token;
  lira::Token kind;
  next_echoed(run, token);
  while (token.first() != ')') {
    std::int32_t v = lira::to_int(token).value;
    run.record_kind = "stiffness";
    run.record_number = v;
    next_echoed(run, kind);
    using lira::StiffnessKind;
    switch (lira::stiffness_kind(kind.view(), is_plate_modulus(run, kind))) {
      case StiffnessKind::kElasticLink: read_elastic_link(run, stiffness_index(v)); break;
      case StiffnessKind::kSolid: read_solid_stiffness(run, v); break;
      case StiffnessKind::kRectangularBar: read_rectangular_bar(run, stiffness_index(v)); break;
      case StiffnessKind::kPlasticBar: read_plastic_bar(run, stiffness_index(v)); break;
      case StiffnessKind::kPlate: read_plate(run, stiffness_index(v), kind); break;
      case StiffnessKind::kUnknown:
        *run.console.out << "Unknown element skipped\n";
        lira::skip_record(run.model);
        break;
    }
    next_echoed(run, token);
  }
}

}  // namespace tarvex
