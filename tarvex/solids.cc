#include "solids.h"

#include <cmath>
#include <string>

#include "common/stop.h"
#include "stiffness.h"

namespace tarvex {
namespace {

constexpr double kStressUnit = 10000;  // moduli and stresses of the model, to the script's unit
constexpr double kCentimetre = 100;    // reinforcement levels are given in centimetres
constexpr int kRowMax = 64;            // reinforcement rows of one stiffness
constexpr int kSteelOffset = 100;      // the steel of stiffness v is material v + 100

[[noreturn]] void refuse(const char* what) {
  lira::fail(std::string("\nIncorrect modellir.txt:") + what);
}

[[noreturn]] void refuse_stiffness(std::int32_t v, const std::string& what) {
  lira::fail("\nIncorrect modellir.txt: stiffness " + std::to_string(v) + " " + what);
}

// Each sub-record of a solid stiffness opens with the stiffness number again.
void drop_token(Run& run) {
  lira::Token dropped;
  lira::next_token(run.model, dropped);
}

lira::RealValue read_echoed_real(Run& run, lira::Token& token) {
  lira::next_token(run.model, token);
  lira::echo_token(run.console, token);
  return real_value(run, token);
}

// A number with the slash glued to it ends its sub-record; otherwise the rest
// of the sub-record up to its slash is passed over.
void end_sub_record(Run& run, const lira::RealValue& last) {
  if (!lira::ends_with_slash(last.end)) lira::skip_record(run.model);
}

struct Diagram {
  double ec = 0;  // from the last change of the stress from negative to positive
  double ft = 0;  // cracking stress: the last point's
  double fc = 0;  // crushing stress: the first point's, sign turned
};

// Points (strain, stress) up to "NA11"; leaves `token` on the ending token.
Diagram read_diagram(Run& run, std::int32_t v, lira::Token& token) {
  lira::Writer& con = *run.console.out;
  Diagram d;
  int points = 0;
  double prev_e = 0;
  double prev_s = 0;
  drop_token(run);
  lira::next_token(run.model, token);
  while (!token.starts_with("NA11")) {
    if (token.starts_with("DEL")) break;
    if (token.starts_with("NA")) refuse(" unexpected reinforcement.");
    lira::echo_token(run.console, token);
    if (token.first() == '/') {
      // A slash of its own where a strain would stand ends the sub-record.
      drop_token(run);
      con << "\n";
      lira::next_token(run.model, token);
      continue;
    }
    double e = real_value(run, token).value;
    lira::RealValue s = read_echoed_real(run, token);
    // A glued slash ends the sub-record at any point, the first one included,
    // so the next stiffness number is never taken for a strain.
    if (lira::ends_with_slash(s.end)) {
      drop_token(run);
      con << "\n";
    }
    if (points == 0) {
      d.fc = -s.value * kStressUnit;
    } else if (prev_s < 0 && s.value > 0) {
      d.ec = (prev_s / prev_e + s.value / e) * 0.5 * kStressUnit;
    }
    ++points;
    prev_e = e;
    prev_s = s.value;
    lira::next_token(run.model, token);
  }
  d.ft = prev_s * kStressUnit;
  con << "\n";
  lira::echo_token(run.console, token);
  if (!token.starts_with("NA11")) refuse(" reinforcement properties not specified.");
  if (points == 0) refuse_stiffness(v, "has a stress-strain diagram without points.");
  return d;
}

struct Row {
  double a, b, z;
};

struct Level {
  double sa = 0;  // sum of the a of its rows
  double sb = 0;  // sum of the b of its rows
  double z = 0;   // in the model's length unit
};

// The rows grouped by equal level, in ascending order; only the count of the
// levels after the second one is kept.
int group_levels(const Row* rows, int row_count, Level (&levels)[2]) {
  bool taken[kRowMax] = {};
  int count = 0;
  for (;;) {
    int lowest = -1;
    for (int i = 0; i < row_count; ++i) {
      if (!taken[i] && (lowest < 0 || rows[i].z < rows[lowest].z)) lowest = i;
    }
    if (lowest < 0) return count;
    double z = rows[lowest].z;
    taken[lowest] = true;
    for (int i = 0; i < row_count; ++i) {
      if (i != lowest && (taken[i] || rows[i].z != z)) continue;
      taken[i] = true;
      if (count < 2) {
        levels[count].sa += rows[i].a;
        levels[count].sb += rows[i].b;
        levels[count].z = rows[i].z / kCentimetre;
      }
    }
    ++count;
  }
}

// The real constants of one layer: two reinforcements in the plane (b sums at
// angles 0 and 0, a sums at 90 and 0) and the lateral one.
void write_layer_set(Run& run, int set, int steel, double ratio_b, double ratio_a) {
  lira::Writer& s = run.script;
  s << "!*\nR," << set << "," << steel << "," << ratio_b << ",0,0," << steel << "," << ratio_a
    << "\n";
  s << "RMORE,90,0," << steel << "," << run.vr3 << ",0,90\n!*\n";
}

}  // namespace

void read_solid_stiffness(Run& run, std::int32_t number) {
  const int v = stiffness_index(number);
  lira::Writer& con = *run.console.out;
  con << "\n";  // "GENE14/" ends its own record

  lira::Token token;
  Diagram d = read_diagram(run, v, token);

  // Steel: a token of no use here, the modulus and the yield stress.
  drop_token(run);
  double es = read_echoed_real(run, token).value * kStressUnit;
  lira::RealValue fy_read = read_echoed_real(run, token);
  double fy = std::fabs(fy_read.value) * kStressUnit;
  end_sub_record(run, fy_read);

  drop_token(run);
  con << "\n";
  lira::next_token(run.model, token);
  lira::echo_token(run.console, token);
  if (!token.starts_with("SA2")) refuse(" reinforcement area not specified.");
  lira::skip_record(run.model);

  // Rows a b z, each a sub-record, up to "DEL".
  Row rows[kRowMax];
  int row_count = 0;
  drop_token(run);
  con << "\n";
  lira::next_token(run.model, token);
  lira::echo_token(run.console, token);
  while (!token.starts_with("DEL")) {
    if (row_count == kRowMax) {
      refuse_stiffness(v, "has more than " + std::to_string(kRowMax) + " reinforcement rows.");
    }
    Row& row = rows[row_count];
    row.a = real_value(run, token).value;
    row.b = read_echoed_real(run, token).value;
    lira::RealValue z = read_echoed_real(run, token);
    row.z = z.value;
    end_sub_record(run, z);
    drop_token(run);
    con << "\n";
    ++row_count;
    lira::next_token(run.model, token);
    lira::echo_token(run.console, token);
  }

  double t = read_echoed_real(run, token).value;
  run.stiffness.weight_intensity[v] = to_single(t * run.density[v]);
  drop_token(run);
  drop_token(run);
  lira::next_token(run.model, token);
  con << " ";
  lira::echo_token(run.console, token);
  if (!token.starts_with("NU=")) refuse(" Poison ratio not specified.");
  lira::RealValue nu = read_echoed_real(run, token);
  end_sub_record(run, nu);
  con << "\n\n";

  Level levels[2];
  int level_count = group_levels(rows, row_count, levels);
  if (level_count != 2) {
    lira::fail("\nError: Number of reiforcement layers = " + std::to_string(level_count) + "\n");
  }
  // A level on a face itself passes the range checks but leaves a layer of no
  // thickness, whose reinforcement ratio has no finite value.
  const Level& lower = levels[0];
  if (!(-0.5 * t <= lower.z && lower.z < -0.25 * t)) refuse(" impossible reinforcement.");
  double t_bottom = (lower.z + 0.5 * t) * 2;
  if (t_bottom == 0) {
    refuse_stiffness(v, "has its lower reinforcement on the bottom face: "
                        "the bottom layer has no thickness.");
  }
  const Level& upper = levels[1];
  if (!(0.25 * t < upper.z && upper.z <= 0.5 * t)) refuse(" impossible reinforcement.");
  double t_top = (0.5 * t - upper.z) * 2;
  if (t_top == 0) {
    refuse_stiffness(v, "has its upper reinforcement on the top face: "
                        "the top layer has no thickness.");
  }
  // Only the last sign change of the diagram counts: an earlier one at a
  // strain of 0 does no harm, and the named checks above come first.
  if (!std::isfinite(d.ec)) {
    refuse_stiffness(v, "has a point of zero strain where its stress changes sign.");
  }
  double t_middle = t - t_bottom - t_top;
  run.stiffness.t_bottom[v] = t_bottom;
  run.stiffness.t_middle[v] = t_middle;
  run.stiffness.t_top[v] = t_top;

  lira::Writer& s = run.script;
  const int steel = v + kSteelOffset;
  write_modulus(s, v, d.ec);
  write_density(s, v, run.density[v]);
  write_poisson_head(s, v);
  s << nu.value << "\n";
  s << "!*\nTB,CONCR," << v << ", , , ,\n!*\n";
  s << "TBMODIF,2,1,0.1\n" << "TBMODIF,3,1,0.9\n";
  s << "TBMODIF,4,1," << d.ft << "\nTBMODIF,5,1," << d.fc << "\nTBMODIF,10,1,0.6\n!*\n!*\n";

  // The steel takes the density of its concrete.
  write_modulus(s, steel, es);
  write_density(s, steel, run.density[v]);
  write_poisson_head(s, steel);
  s << ".25\n";
  write_bilinear_hardening(s, steel, fy, es);

  int bottom_set = next_real_constant_set(run);
  write_layer_set(run, bottom_set, steel, lower.sb / t_bottom / 100, lower.sa / t_bottom / 100);
  set_attribute_text(run.stiffness.bottom_attribute[v], 3, v, bottom_set, 11);

  int middle_set = next_real_constant_set(run);
  s << "!*\nR," << middle_set << "," << 0 << "," << 0 << ",0,0," << 0 << "," << 0 << "\n";
  s << "RMORE,0,0," << steel << "," << run.vr3 << ",0,90\n!*\n";
  set_attribute_text(run.stiffness.middle_attribute[v], 3, v, middle_set, 11);

  int top_set = next_real_constant_set(run);
  write_layer_set(run, top_set, steel, upper.sb / t_top / 100, upper.sa / t_top / 100);
  set_attribute_text(run.stiffness.attribute[v], 3, v, top_set, 11);
}

}  // namespace tarvex
