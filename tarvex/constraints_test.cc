#include "constraints.h"

#include <gtest/gtest.h>

#include <sstream>

#include "common/stop.h"

namespace tarvex {
namespace {

struct Converted {
  std::string console, script, stop;
};

Converted constraints_of(const std::string& model) {
  Converted c;
  lira::Writer out(&c.console);
  std::istringstream keys;
  lira::Console con{&out, &keys, false};
  Run run(con, lira::TextReader::from_text("modellir.txt", model));
  run.script.open_text(&c.script);
  try {
    write_constraints(run);
  } catch (const lira::Stop& s) {
    c.stop = s.message;
  }
  out.flush();
  return c;
}

TEST(Constraints, OneDCommandPerDirection) {
  Converted c = constraints_of("( 1/\n)\n( 5/\n12 1 2 3 /\n7 6 / )\n");
  EXPECT_EQ(c.stop, "");
  EXPECT_EQ(c.script, "!*\n D,12,UX\n!*\n D,12,UY\n!*\n D,12,UZ\n!*\n D,7,ROTZ\n!*\n!*\n");
  EXPECT_EQ(c.console, "12 1 \n2 \n3 \n/ 7 6 \n/ ) ");
}

TEST(Constraints, EveryCodeAndRepeatsAreWrittenAsTheyCome) {
  Converted c = constraints_of("( 5/\n1 4 5 6 4 /\n1 1 /\n)\n");
  EXPECT_EQ(c.script,
            "!*\n D,1,ROTX\n!*\n D,1,ROTY\n!*\n D,1,ROTZ\n!*\n D,1,ROTX\n!*\n D,1,UX\n!*\n!*\n");
}

TEST(Constraints, EmptyDocument) {
  Converted c = constraints_of("( 5/\n)\n");
  EXPECT_EQ(c.script, "!*\n!*\n");
  EXPECT_EQ(c.console, ") ");
}

TEST(Constraints, UnitedDisplacementsAreRefused) {
  const char* message = "\nIncorrect modellir.txt in doc. 5:\ndisplacements shouldn't be united.";
  Converted glued = constraints_of("( 5/\n3 1 /\n7/ 1 2 /\n)\n");
  EXPECT_EQ(glued.stop, message);
  EXPECT_EQ(glued.script, "!*\n D,3,UX\n");
  EXPECT_EQ(glued.console, "3 1 \n/ 7/ ");
  Converted bare = constraints_of("( 5/\n7 /\n)\n");
  EXPECT_EQ(bare.stop, message);
  EXPECT_EQ(bare.script, "");
}

TEST(Constraints, ASlashGluedToTheLastCodeEndsTheRecord) {
  // Node 6 keeps its own codes instead of lending them to node 5.
  Converted c = constraints_of("( 5/\n5 3/ 6 1 /\n)\n");
  EXPECT_EQ(c.stop, "");
  EXPECT_EQ(c.script, "!*\n D,5,UZ\n!*\n D,6,UX\n!*\n!*\n");
}

TEST(Constraints, DirectionsOutsideOneToSixAreRefused) {
  for (const char* code : {"0", "7", "x"}) {
    Converted c = constraints_of(std::string("( 5/\n4 1 ") + code + " /\n)\n");
    EXPECT_EQ(c.stop, std::string("\nIncorrect modellir.txt in doc. 5:\ndirection ") + code +
                          " of node 4 is not one of 1 to 6.");
    EXPECT_EQ(c.script, "!*\n D,4,UX\n");
  }
}

TEST(Constraints, MissingDocumentAndEndOfFile) {
  EXPECT_EQ(constraints_of("( 4/\n)\n").stop, "\nIncorrect modellir.txt: no links.");
  EXPECT_EQ(constraints_of("( 5/\n4 1 2").stop,
            "\nIncorrect modellir.txt: end of file inside document 5.");
  EXPECT_EQ(constraints_of("( 5/\n4 1 /\n").stop,
            "\nIncorrect modellir.txt: end of file inside document 5.");
}


}  // namespace
}  // namespace tarvex
