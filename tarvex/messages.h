// tarvex's own messages, exactly as docs/messages.md shows them; the places
// in angle brackets are filled through lira::message. The shared reader's
// are in common/model_messages.h. modelcheck quotes them from here.
#pragma once

namespace tarvex {
namespace msg {

// Questions and the end of a run.
constexpr char kStiffnessAnswer[] = "\nIncorrect answer: stiffness No <n> is outside 1 to 49.";
constexpr char kDone[] = "\nTransformation completed.";
constexpr char kDoneRu[] = "\nТрансформация завершена.\n";

// Files.
constexpr char kScriptCantOpen[] = "\nFile modelans.lgw can't be opened.";
constexpr char kScriptCantWriteToEnd[] = "\nFile modelans.lgw can't be written to the end.";
constexpr char kNodesCantOpen[] = "\nFile nodes.tmp can't be opened.";
constexpr char kNodesCantWrite[] = "\nFile nodes.tmp can't be written.";
constexpr char kNodesCantWriteToEnd[] = "\nFile nodes.tmp can't be written to the end.";
constexpr char kNodesCantRead[] = "\nFile nodes.tmp can't be read.";
constexpr char kNodeCantRead[] = "\nError in file nodes.tmp: node <n> can't be read.";
constexpr char kElementsCantOpen[] = "\nFile elements.tmp can't be opened.";
constexpr char kElementsCantWrite[] = "\nFile elements.tmp can't be written.";
constexpr char kElementsCantWriteToEnd[] = "\nFile elements.tmp can't be written to the end.";
constexpr char kLoadsCantOpen[] = "\nFile loades.tmp can't be opened.";
constexpr char kLoadsCantWrite[] = "\nFile loades.tmp can't be written.";
constexpr char kLoadsCantWriteToEnd[] = "\nFile loades.tmp can't be written to the end.";

// Stiffnesses, nodes and elements.
constexpr char kTooManyRealConstants[] =
    "\nIncorrect modellir.txt: too many real-constant sets in document 3.";
constexpr char kTooManyNodes[] = "\nIncorrect modellir.txt: too many nodes.";
constexpr char kNodeOutside[] =
    "\nIncorrect modellir.txt: node <n> of element <n> is outside 1 to <n>.";
constexpr char kUndefinedStiffness[] =
    "\nIncorrect modellir.txt: element <n> of document 1 has stiffness <n>, which document 3 does "
    "not define, or defines with a kind that is not converted: give the element a converted "
    "stiffness of document 3.";
constexpr char kPlasticBarNode[] = "\nError in file nodes.tmp \n(due to creation plastic bar).";
constexpr char kHolderZero[] =
    "\nIncorrect modellir.txt: \nerror in stiffness of plastic bar, holder = 0.";
constexpr char kElasticLinkNode[] =
    "\nError in file nodes.tmp \n(due to creation elastic link, equivalent of 51 element).";
constexpr char kSolidUpperNode[] = "\nError in file nodes.tmp (due to upper layer of a solid).";
constexpr char kSolidLowerNode[] = "\nError in file nodes.tmp (due to lower layers of a solid).";

// Loads.
constexpr char kValueLine[] = "\nIncorrect loades.tmp: irrelevant load type number.";
constexpr char kNotInDoc1[] =
    "\nDoc. 6 includes element <n>, which is not in doc. 1 (elements 1 to <n>).";
constexpr char kNotInEmptyDoc1[] =
    "\nDoc. 6 includes element <n>, which is not in doc. 1 (no elements).";
constexpr char kLoadShifted[] =
    "\nDoc. 6 loads element <n>, but element <n> before it in doc. 1 has type <n>, which is not "
    "converted: the script numbers the elements after it one lower, so the load would fall on "
    "another element. Remove element <n> from doc. 1 or give it a converted type.";
constexpr char kNotWeight[] =
    "\nDoc. 6 of modellir.txt includes load type, which is\nnot weight but supposed to be.";
constexpr char kUndescribedWeight[] = "\nElement has weight which not described in doc. 6";
constexpr char kZeroWeightType[] = "\nIllegal element type found on testing zero element weight.";
constexpr char kWeightType[] = "\nIllegal element type found on testing nonzero element weight.";
constexpr char kWeightDirection[] = "\nWeight direction illegal.";
constexpr char kWeightValue[] = "\nWeight value illegal.";

}  // namespace msg
}  // namespace tarvex
