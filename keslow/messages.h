// keslow's messages, exactly as docs/messages.md shows them; the places in
// angle brackets are filled through lira::message.
#pragma once

namespace keslow {
namespace msg {

constexpr char kListCantOpen[] = "\nFile A_02.A can't be opened.";
constexpr char kResultCantOpen[] = "\nFile B#00.B can't be opened.";
constexpr char kSourceCantOpen[] = "\nFile A#00.A can't be opened.";
constexpr char kSourceCantRead[] = "\nFile A#00.A can't be read.";
constexpr char kResultCantWriteToEnd[] = "\nFile B#00.B can't be written to the end.";
constexpr char kNoDoc1[] = "\nIncorrect A_02.A: no doc1.";
constexpr char kLongLine[] = "\nIncorrect A_02.A: a line longer than 149 characters before doc1.";
constexpr char kNumbering[] = "\nError in file A_02.A: element's numbering violation in doc1.";
constexpr char kTooFewFields[] = "\nError in file A_02.A: too few fields in element <n> of doc1.";
constexpr char kNoEnd[] = "\nError in file A_02.A: no end of doc1.";
constexpr char kForcesEnd[] = "\nIncorrect forces table: unexpected end of file A#00.A.";
constexpr char kElementsEnd[] = "\nIncorrect elements table: unexpected end of file A#00.A.";

}  // namespace msg
}  // namespace keslow
