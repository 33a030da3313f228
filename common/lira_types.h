// The facts of LIRA's element types and stiffness kinds that several programs
// share: which element types the converter builds and into what, and how a
// stiffness record of document 3 says its kind. Written once, here.
#pragma once

#include <cstdint>
#include <string_view>

namespace lira {

/// What the converter makes of a LIRA finite-element type.
enum class ElementKind {
  kBar,           // 10: a rectangular bar, one BEAM4
  kPlasticBar,    // 210: one LINK8 with its holder
  kElasticLink,   // 51: one LINK8 to an extra node
  kPlate,         // 41, 42, 44: one SHELL63
  kLayeredShell,  // 241, 242, 244: three stacked SOLID65 layers
  kUnconverted,   // every other type: no ANSYS element
};

inline ElementKind element_kind(std::int32_t type) {
  switch (type) {
    case 10: return ElementKind::kBar;
    case 210: return ElementKind::kPlasticBar;
    case 51: return ElementKind::kElasticLink;
    case 41: case 42: case 44: return ElementKind::kPlate;
    case 241: case 242: case 244: return ElementKind::kLayeredShell;
    default: return ElementKind::kUnconverted;
  }
}

inline bool is_bar(std::int32_t type) { return type == 10 || type == 210; }
inline bool is_plain_plate(std::int32_t type) { return element_kind(type) == ElementKind::kPlate; }
inline bool is_layered_shell(std::int32_t type) {
  return element_kind(type) == ElementKind::kLayeredShell;
}
/// Plates and layered shells: the elements that carry pressures.
inline bool is_shell(std::int32_t type) { return is_plain_plate(type) || is_layered_shell(type); }
/// Triangles (42, 242) have three corners, the other shells four.
inline bool is_triangle(std::int32_t type) { return type == 42 || type == 242; }
inline int shell_corners(std::int32_t type) { return is_triangle(type) ? 3 : 4; }
/// The plain plate that a layered plate becomes when its layers are dropped.
inline std::int32_t plain_plate_of(std::int32_t layered_type) { return layered_type - 200; }

/// The element type numbers of the script's preamble.
enum AnsysType { kShell63 = 1, kBeam4 = 2, kSolid65 = 3, kLink8 = 4 };

/// The kinds of stiffness that document 3 can hold, as the converter tells
/// them from the kind token (the second token of a stiffness record).
enum class StiffnessKind {
  kElasticLink,      // "3" exactly
  kSolid,            // "GENE14/...": reinforced concrete slab
  kRectangularBar,   // "S0..."
  kPlasticBar,       // "S100..."
  kPlate,            // a number with a point: the plate's modulus
  kUnknown,          // anything else: skipped
};

/// The kind token's tests in the converter's order, the first match wins.
/// `plate_modulus` says whether the token reads as a plate's modulus (a
/// finite non-zero number holding a '.'), which the caller works out with
/// its own number reader.
inline StiffnessKind stiffness_kind(std::string_view token, bool plate_modulus) {
  if (token == "3") return StiffnessKind::kElasticLink;
  if (token.substr(0, 7) == "GENE14/") return StiffnessKind::kSolid;
  if (token.substr(0, 2) == "S0") return StiffnessKind::kRectangularBar;
  if (token.substr(0, 4) == "S100") return StiffnessKind::kPlasticBar;
  if (plate_modulus) return StiffnessKind::kPlate;
  return StiffnessKind::kUnknown;
}

/// The stiffness kind that an element needs. Given one of another kind, the
/// converter builds the element with the ANSYS type of its stiffness.
inline StiffnessKind stiffness_kind_for(ElementKind e) {
  switch (e) {
    case ElementKind::kBar: return StiffnessKind::kRectangularBar;
    case ElementKind::kPlasticBar: return StiffnessKind::kPlasticBar;
    case ElementKind::kElasticLink: return StiffnessKind::kElasticLink;
    case ElementKind::kPlate: return StiffnessKind::kPlate;
    case ElementKind::kLayeredShell: return StiffnessKind::kSolid;
    case ElementKind::kUnconverted: break;
  }
  return StiffnessKind::kUnknown;
}

/// A stiffness kind in the words of a report ("which is a plate").
inline const char* stiffness_kind_text(StiffnessKind k) {
  switch (k) {
    case StiffnessKind::kElasticLink: return "an elastic link";
    case StiffnessKind::kSolid: return "a reinforced concrete slab";
    case StiffnessKind::kRectangularBar: return "a rectangular bar";
    case StiffnessKind::kPlasticBar: return "a plastic bar";
    case StiffnessKind::kPlate: return "a plate";
    case StiffnessKind::kUnknown: break;
  }
  return "of a kind tarvex does not know";
}

/// The values that the converter reads after the kind token of a plate's row
/// (Poisson's ratio, thickness) and of an elastic link's (the modulus).
constexpr int kPlateRowValues = 2;
constexpr int kLinkRowValues = 1;
/// Whether `word`, read after the last value of a plate's or an elastic
/// link's row when no slash is glued to that value, ends the row: it must
/// begin with '/'. Anything else there (an extra value, the next row) stops
/// the converter.
inline bool ends_stiffness_row(std::string_view word) { return !word.empty() && word[0] == '/'; }

/// Stiffness numbers index every table of the converter directly: 0 to 49.
constexpr int kStiffnessCount = 50;
/// The load cases that the converter takes from document 16, at most.
constexpr int kLoadCaseMax = 20;

/// Document headers: an opening parenthesis, one blank, the number, a slash,
/// at the start of a line.
constexpr std::string_view kStiffnessHeader = "( 3/";
constexpr std::string_view kNodesHeader = "( 4/";
constexpr std::string_view kElementsHeader = "( 1/";
constexpr std::string_view kSupportsHeader = "( 5/";
constexpr std::string_view kLoadTableHeader = "( 6/";
constexpr std::string_view kLoadValuesHeader = "( 7/";
constexpr std::string_view kLoadCasesHeader = "( 16/";
constexpr std::string_view kDynamicHeader = "( 12/";

/// The number of the document of a header, as messages name it: "( 12/" -> "12".
constexpr std::string_view document_number(std::string_view header) {
  std::string_view number = header.substr(2);
  return number.substr(0, number.find('/'));
}

}  // namespace lira
