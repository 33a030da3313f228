// The messages of tarvex and vantrel that modelcheck's findings quote, each
// exactly as the program prints it, with "<n>" and "<token>" where the run
// fills in a value. vantrel's come from its own table; tarvex's are still
// copied here, and docs/findings.md's test finds every one of them in
// docs/messages.md.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "vantrel/messages.h"

namespace modelcheck {
namespace msg {

// tarvex: documents that it does not find.
constexpr char kNoStiffness[] = "\nIncorrect modellir.txt: no stiffness.";
constexpr char kNoNodes[] = "\nIncorrect modellir.txt: no nodes.";
constexpr char kNoElements[] = "\nIncorrect modellir.txt: no elements.";
constexpr char kNoLinks[] = "\nIncorrect modellir.txt: no links.";
constexpr char kNoLoadValues[] = "\nIncorrect modellir.txt: no load values.";
constexpr char kNoDoc16[] = "\nIncorrect modellir.txt: no doc. 16.";
constexpr char kNoLoadTable[] = "\nIncorrect modellir.txt: no load table.";
constexpr char kAnalysisFailed[] = "\nmodellir.txt includes doc. 12 - analysis failed.";
constexpr char kEndOfFileInside[] = "\nIncorrect modellir.txt: end of file inside document <n>.";
constexpr char kLongToken[] =
    "\nIncorrect modellir.txt: a token longer than 149 characters: \"<token>...\".";
constexpr char kHeaderRecord[] =
    "\nIncorrect modellir.txt: the header line of document <n> holds a record, \"<rest of the "
    "line>\": begin the records of the document on the line after its header.";
constexpr char kCommaStiffness[] =
    "\nIncorrect modellir.txt: the number \"<token>\" of stiffness <n> in document 3 has a decimal "
    "comma: write it with a decimal point, \"<token>\".";
constexpr char kCommaNode[] =
    "\nIncorrect modellir.txt: the number \"<token>\" of node <n> in document 4 has a decimal "
    "comma: write it with a decimal point, \"<token>\".";
constexpr char kCommaLine[] =
    "\nIncorrect modellir.txt: the number \"<token>\" of line <n> in document 7 has a decimal "
    "comma: write it with a decimal point, \"<token>\".";
// tarvex: records.
constexpr char kUndefinedStiffness[] =
    "\nIncorrect modellir.txt: element <n> of document 1 has stiffness <n>, which document 3 does "
    "not define, or defines with a kind that is not converted: give the element a converted "
    "stiffness of document 3.";
constexpr char kBadStiffness[] = "\nIncorrect modellir.txt: bad stiffness.";
constexpr char kLinkRowEnd[] = "\nIncorrect modellir.txt: 51 el. type unrecognized.";
constexpr char kBadNodes[] = "\nIncorrect modellir.txt: Bad nodes.";
constexpr char kBadElement[] = "\nError in document 1 (file modellir.txt).";
constexpr char kStiffnessOutside[] =
    "\nIncorrect modellir.txt: stiffness number <n> is outside 0 to 49.";
constexpr char kNoSlab[] =
    "\nIncorrect modellir.txt: element <n> of type <n> has stiffness <n>, which is no "
    "reinforced concrete slab.";
constexpr char kNodeOutside[] =
    "\nIncorrect modellir.txt: node <n> of element <n> is outside 1 to <n>.";
constexpr char kPlasticBarNode[] = "\nError in file nodes.tmp \n(due to creation plastic bar).";
constexpr char kElasticLinkNode[] =
    "\nError in file nodes.tmp \n(due to creation elastic link, equivalent of 51 element).";
constexpr char kHolderZero[] =
    "\nIncorrect modellir.txt: \nerror in stiffness of plastic bar, holder = 0.";
constexpr char kLineNumber[] = "\nIncorrect modellir.txt: illegal line number in doc. 7.";
constexpr char kTooManyValues[] = "\nIncorrect modellir.txt: too many values in doc. 7.";
// tarvex: loads.
constexpr char kLoadShifted[] =
    "\nDoc. 6 loads element <n>, but element <n> before it in doc. 1 has type <n>, which is not "
    "converted: the script numbers the elements after it one lower, so the load would fall on "
    "another element. Remove element <n> from doc. 1 or give it a converted type.";
constexpr char kLoadTable[] = "\nIncorrect modellir.txt: error in load table (doc. 6).";
constexpr char kValueLine[] = "\nIncorrect loades.tmp: irrelevant load type number.";
constexpr char kNotInDoc1[] =
    "\nDoc. 6 includes element <n>, which is not in doc. 1 (elements 1 to <n>).";
constexpr char kBeamDirection[] =
    "\nDoc. 6 includes illegal load direction:\ndir. No 1, 4, 5 or 6 is applied to beam.";
constexpr char kShellDirection[] =
    "\nDoc. 6 includes illegal load direction:\ndir. No 1, 2, 4, 5 or 6 is applied to shell.";
constexpr char kOtherDirection[] =
    "\nDoc. 6 includes illegal load direction:\ndir. No <n> is not one of 1 to 6.";
constexpr char kShellLoadType[] =
    "\nDoc. 6 includes illegal load type\n(no types 6, 7 or 16 is applied to shell).";
constexpr char kNotWeight[] =
    "\nDoc. 6 of modellir.txt includes load type, which is\nnot weight but supposed to be.";
constexpr char kUndescribedWeight[] = "\nElement has weight which not described in doc. 6";
constexpr char kZeroWeightType[] = "\nIllegal element type found on testing zero element weight.";
constexpr char kWeightType[] = "\nIllegal element type found on testing nonzero element weight.";
constexpr char kWeightDirection[] = "\nWeight direction illegal.";
constexpr char kWeightValue[] = "\nWeight value illegal.";

// vantrel: quoted from the program's own table.
using namespace ::vantrel::msg;

}  // namespace msg

/// "stops with" and `message`, its placeholders ("<n>", "<token>", ...)
/// filled in order from `values`, quoted for a finding.
std::string stop_message(const char* message,
                         std::initializer_list<std::string_view> values = {});

}  // namespace modelcheck
