// vantrel's messages, exactly as docs/messages.md shows them; the places in
// angle brackets are filled through lira::message ("<model>" is printed as it
// stands). modelcheck quotes them from here.
#pragma once

namespace vantrel {
namespace msg {

// Files.
constexpr char kCantOpen[] = "\nFile <file> can't be opened.";
constexpr char kCantWriteToEnd[] = "\nFile <file> can't be written to the end.";

// model.txt.
constexpr char kNoLoads[] = "\nIncorrect <model>.txt: no loads.";
constexpr char kBadLoads[] = "\nIncorrect <model>.txt: Bad loads.";
constexpr char kNoDocument6[] = "\nIncorrect <model>.txt: no document 6.";
constexpr char kNoEnd6[] = "\nCan't find an end of document 6.";
constexpr char kNoEnd7[] = "\nCan't find an end of document 7.";
constexpr char kEmptyAmong7[] =
    "\nIncorrect model.txt: an empty line stands among the records of document 7.";
constexpr char kNoEmptyLine7[] =
    "\nIncorrect model.txt: no empty line closes the records of document 7.";
constexpr char kEmptyBetween[] =
    "\nIncorrect model.txt: an empty line stands between the records of documents 6 and 7.";
constexpr char kTwoRecords[] =
    "\nIncorrect model.txt: line <n> holds record <n> of document 7 and more after its \"/\": put "
    "each record of document 7 on a line of its own.";

// loadfrag.txt.
constexpr char kCap[] = "\nTable loadfrag.txt: the cap incorrect.";
constexpr char kFirstNodes[] =
    "\nTable loadfrag.txt:\nthe first string of nodes' numbers incorrect.";
constexpr char kDelimiter[] = "\nTable loadfrag.txt:\nincorrect column delimeter.";
constexpr char kLoadingNumber[] = "\nTable loadfrag.txt:\nerror in loadings' number.";
constexpr char kLoadingOutside[] = "\nTable loadfrag.txt:\nloading No <n> is outside 1 to 12.";
constexpr char kLoadingFormat[] = "\nTable loadfrag.txt:\nerror in loadings' number format.";
constexpr char kNoKind[] =
    "\nTable loadfrag.txt:\nthe kind of loading <n> is missing: the line ends right after \"-\".";
constexpr char kDynamic[] = "\nTable loadfrag.txt:\ndinamic loading not under processing.";
constexpr char kEndInCell[] =
    "\nTable loadfrag.txt:\nthe file ends inside the cell of loading <n>, before its closing "
    "\"|\".";
constexpr char kLoadType[] = "\nTable loadfrag.txt: error in load type.";
constexpr char kColumns[] = "\nTable loadfrag.txt:\nerror: number of columns = <n> !";
constexpr char kRowEnd[] =
    "\nTable loadfrag.txt:\nthe row <keyword> of loading <n> does not end with \"|\" after at "
    "most <n> cells of <n> characters.";
constexpr char kNodes[] = "\nTable loadfrag.txt:\nthe string of nodes' numbers incorrect.";
constexpr char kCellSplit[] =
    "\nTable loadfrag.txt:\nthe cell \"<cell>\" of block <n>, loading <n>, row <keyword>, column "
    "<n> (node <n>) holds part of a number that does not stand whole in it, so the value would be "
    "misread.\nThe first node line has <n> nodes, so the cells are <n> characters wide: write the "
    "table with cells of <n> characters, one value a cell.";
constexpr char kCellDropped[] =
    "\nTable loadfrag.txt:\nthe cell \"<cell>\" of block <n>, loading <n>, row <keyword>, column "
    "<n> (node <n>) has a blank as its fourth character, so it counts as empty and its value would "
    "be dropped.\nThe first node line has <n> nodes, so the cells are <n> characters wide: write "
    "each value so that it reaches the fourth character of its cell.";
constexpr char kCellHexadecimal[] =
    "\nTable loadfrag.txt:\nthe cell \"<cell>\" of block <n>, loading <n>, row <keyword>, column "
    "<n> (node <n>) holds a hexadecimal number, which would be read as 0.\nWrite the value as a "
    "decimal number.";
constexpr char kTooManyNodes[] =
    "\nTable loadfrag.txt:\na string of nodes' numbers holds more than 9 numbers.";

// New load records.
constexpr char kTooLarge[] =
    "\nTable loadfrag.txt:\nthe <keyword> value of loading <n> at node <n> is too large.";
constexpr char kTooManyLoads[] =
    "\nToo many new loads: load value line numbers would pass 2147483647.";

}  // namespace msg
}  // namespace vantrel
