// The messages of the shared readers and rules, exactly as docs/messages.md
// shows them; the places in angle brackets are filled through lira::message,
// "<file>" with the name of the file read or written and "<where>" with the
// place of a number ("node 12 in document 4"). tarvex, keslow and
// vantrel print them; modelcheck quotes them from here.
#pragma once

namespace lira {
namespace msg {

// The console and the frame of a run.
constexpr char kNotANumber[] = "\nIncorrect answer: a number was expected.";
constexpr char kNotFinite[] =
    "\nA number out of range would be written to <file>: check the model's values.";
constexpr char kSuccess[] = "\nModel transformed saccessfully.";
constexpr char kSuccessRu[] = "\nМодель трансформировалась успешно.\n";

// Any text model.
constexpr char kFileLongToken[] =
    "\nIncorrect <file>: a token longer than 149 characters: \"<token>...\".";
constexpr char kFileLongLine[] = "\nIncorrect <file>: line <n> is longer than 149 characters.";
constexpr char kFileEndInside[] = "\nIncorrect <file>: end of file inside document <n>.";
constexpr char kFileEnd[] = "\nIncorrect <file>: unexpected end of file.";
constexpr char kFileComma[] =
    "\nIncorrect <file>: the number \"<token>\" of <where> has a decimal comma: write it with a "
    "decimal point, \"<token>\".";
constexpr char kFileHeaderRecord[] =
    "\nIncorrect <file>: the header line of document <n> holds a record, \"<rest of the line>\": "
    "begin the records of the document on the line after its header.";

// modellir.txt: documents that are not found.
constexpr char kCantOpenModel[] = "\nFile modellir.txt can't be opened.";
constexpr char kNoStiffness[] = "\nIncorrect modellir.txt: no stiffness.";
constexpr char kNoNodes[] = "\nIncorrect modellir.txt: no nodes.";
constexpr char kNoElements[] = "\nIncorrect modellir.txt: no elements.";
constexpr char kNoLinks[] = "\nIncorrect modellir.txt: no links.";
constexpr char kNoLoadValues[] = "\nIncorrect modellir.txt: no load values.";
constexpr char kNoDoc16[] = "\nIncorrect modellir.txt: no doc. 16.";
constexpr char kNoLoadTable[] = "\nIncorrect modellir.txt: no load table.";
constexpr char kAnalysisFailed[] = "\nmodellir.txt includes doc. 12 - analysis failed.";

// Document 3.
constexpr char kStiffnessOutside[] =
    "\nIncorrect modellir.txt: stiffness number <n> is outside 0 to 49.";
constexpr char kLinkRowEnd[] = "\nIncorrect modellir.txt: 51 el. type unrecognized.";
constexpr char kBadStiffness[] = "\nIncorrect modellir.txt: bad stiffness.";
constexpr char kPlasticMaterial[] =
    "\nIncorrect modellir.txt: plastic material of a bar not specified.";
constexpr char kPlasticBar[] = "\nIncorrect modellir.txt: error in stiffness of plastic bar.";
constexpr char kUnexpectedReinforcement[] = "\nIncorrect modellir.txt: unexpected reinforcement.";
constexpr char kNoReinforcementProperties[] =
    "\nIncorrect modellir.txt: reinforcement properties not specified.";
constexpr char kNoDiagramPoints[] =
    "\nIncorrect modellir.txt: stiffness <n> has a stress-strain diagram without points.";
constexpr char kZeroStrain[] =
    "\nIncorrect modellir.txt: stiffness <n> has a point of zero strain where its stress changes "
    "sign.";
constexpr char kNoReinforcementArea[] =
    "\nIncorrect modellir.txt: reinforcement area not specified.";
constexpr char kTooManyRows[] =
    "\nIncorrect modellir.txt: stiffness <n> has more than 64 reinforcement rows.";
constexpr char kNoPoisson[] = "\nIncorrect modellir.txt: Poison ratio not specified.";
constexpr char kLayerCount[] = "\nError: Number of reiforcement layers = <n>\n";
constexpr char kImpossibleReinforcement[] = "\nIncorrect modellir.txt: impossible reinforcement.";
constexpr char kLowerOnFace[] =
    "\nIncorrect modellir.txt: stiffness <n> has its lower reinforcement on the bottom face: the "
    "bottom layer has no thickness.";
constexpr char kUpperOnFace[] =
    "\nIncorrect modellir.txt: stiffness <n> has its upper reinforcement on the top face: the top "
    "layer has no thickness.";

// Documents 4, 1, 5 and 7.
constexpr char kBadNodes[] = "\nIncorrect modellir.txt: Bad nodes.";
constexpr char kCoordinateRange[] =
    "\nIncorrect modellir.txt: coordinate <token> of node <n> is out of range.";
constexpr char kBadElement[] = "\nError in document 1 (file modellir.txt).";
constexpr char kUnitedDisplacements[] =
    "\nIncorrect modellir.txt in doc. 5:\ndisplacements shouldn't be united.";
constexpr char kSupportDirection[] =
    "\nIncorrect modellir.txt in doc. 5:\ndirection <token> of node <n> is not one of 1 to 6.";
constexpr char kLineNumber[] = "\nIncorrect modellir.txt: illegal line number in doc. 7.";
constexpr char kTooManyValues[] = "\nIncorrect modellir.txt: too many values in doc. 7.";
constexpr char kValueRange[] =
    "\nIncorrect modellir.txt: value <token> of line <n> in doc. 7 is out of range.";

// Document 6.
constexpr char kLoadTable[] = "\nIncorrect modellir.txt: error in load table (doc. 6).";
constexpr char kBeamDirection[] =
    "\nDoc. 6 includes illegal load direction:\ndir. No 1, 4, 5 or 6 is applied to beam.";
constexpr char kShellDirection[] =
    "\nDoc. 6 includes illegal load direction:\ndir. No 1, 2, 4, 5 or 6 is applied to shell.";
constexpr char kOtherDirection[] =
    "\nDoc. 6 includes illegal load direction:\ndir. No <n> is not one of 1 to 6.";
constexpr char kShellLoadType[] =
    "\nDoc. 6 includes illegal load type\n(no types 6, 7 or 16 is applied to shell).";

// Elements, as the shared rules refuse them.
constexpr char kNoElementType[] =
    "\nIncorrect modellir.txt: element <n> has type <n>, which is no element type.";
constexpr char kNoSlab[] =
    "\nIncorrect modellir.txt: element <n> of type <n> has stiffness <n>, which is no "
    "reinforced concrete slab.";

}  // namespace msg
}  // namespace lira
