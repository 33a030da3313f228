// What whole runs of tarvex do to the files of the working directory: the
// model is never changed, nothing but the script and the temporary files is
// written, and a file that cannot take its bytes ends the run by a stop.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "node_element_e2e.h"

namespace tarvex_e2e {
namespace {

using lira::testing::Links;
using lira::testing::RunResult;
using Names = std::vector<std::string>;

// One plate of stiffness 1 on four nodes, node 1 fixed; a pressure in load
// case 1, the own weight in case 2.
const std::string kPlate =
    "( 1/\n44 1 1 2 3 4 /\n)\n"
    "( 3/\n1 3.0E6 0.2 0.2 /\n)\n"
    "( 4/\n0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n)\n"
    "( 5/\n1 1 2 3 /\n)\n"
    "( 6/\n1 6 3 1 1 /\n1 16 3 2 2 /\n)\n"
    "( 7/\n1 1.5 /\n2 0.5 /\n)\n"
    "( 16/\n1 0 /\n2 0 /\n)\n";
const std::string kPlateAnswers = "0.5\n2500\nn\n2\nc\n";

// The console up to the end of each phase.
const std::string kToNodes = kQuestions + "1 3.0E6 0.2 0.2 / \n) \n" +
                             "0 0 0 /\n1 0 0 /\n0 1 0 /\n1 1 0 /\n) \n";
const std::string kToElements =
    kToNodes + "44 ) \n" + kPass1 + "44 1 1 2 3 4  /\n) ";
const std::string kToLoadValues =
    kToElements + kPass2 + "44 /\n) 44 /\n) " + "1 1 \n2 \n3 \n/ ) " + "( 7/\n1 1.5 / \n2 0.5 / \n) \n";
const std::string kToClosing = kToLoadValues + "( 16/\n1 2 ) )\n" + "\n\nAPPLICATION OF LOAD\n" +
                               "( 6/\n1 6 3 1 1 /\n1 16 3 2 2 /\n) ( 6/\n1 6 3 1 1 /\n1 16 3 2 2 /\n) ";
const std::string kCompleted =
    "\nTransformation completed."
    "\n\x92\xE0\xA0\xAD\xE1\xE4\xAE\xE0\xAC\xA0\xE6\xA8\xEF \xA7\xA0\xA2\xA5\xE0\xE8\xA5\xAD\xA0.\n";

// The script up to the end of each phase.
const std::string kMaterials = kPreamble +
                               "!*\nMPTEMP,,,,,,,,\nMPTEMP,1,0\nMPDATA,EX,1,,3e+010\n"
                               "MPDATA,DENS,1,,2500\nMPDATA,PRXY,1,,0.2\n"
                               "!*\nR,2,0.2,0,0,0,0,0\nRMORE,0,0,0,0\n!*\n!*\n";
const std::string kElements = kMaterials +
                              "N,1,0,0,0,,,,\nN,2,1,0,0,,,,\nN,3,0,1,0,,,,\nN,4,1,1,0,,,,\n" +
                              header(kPlate1) + fitems({1, 2, 4, 3});
const std::string kConstraints = kElements + "!*\n D,1,UX\n!*\n D,1,UY\n!*\n D,1,UZ\n!*\n!*\n";
const std::string kLoadSteps =
    kConstraints + "\n!*\n!* APPLICATION OF LOAD\nSFCUM,ALL,ADD\nFCUM,ADD\n" +
    "SFE,1,2,PRES,,15000\nLSWRITE,1,\nFDELE,ALL,ALL\nSFEDELE,ALL,ALL,ALL\n" +
    "ACEL,0,0,10\nLSWRITE,2,\nFDELE,ALL,ALL\nSFEDELE,ALL,ALL,ALL\nACEL,0,0,0\n";

// The temporary files as the plate model leaves them, little-endian.
std::string bytes_of(std::initializer_list<std::int32_t> words) {
  std::string s;
  for (std::int32_t w : words) {
    std::uint32_t u = static_cast<std::uint32_t>(w);
    for (int i = 0; i < 4; ++i) s += static_cast<char>((u >> (8 * i)) & 0xFF);
  }
  return s;
}
std::int32_t bits(float v) {
  std::int32_t b;
  std::memcpy(&b, &v, 4);
  return b;
}
const std::int32_t kOne = bits(1.0f);
const std::string kNodesTmp = bytes_of({0, 0, 0, 0, 0, 0, kOne, 0, 0, 0, 0, 0,
                                        0, kOne, 0, 0, 0, 0, kOne, kOne, 0, 0, 0, 0});
// Type 44 and stiffness 1 in 16 bits each, then the four nodes.
const std::string kElementsTmp = bytes_of({44 | (1 << 16), 1, 2, 3, 4});
const std::string kLoadesTmp = bytes_of({1, bits(15000), 0, 0, 0, 2, bits(5000), 0, 0, 0});

bool have_dev_full() { return std::filesystem::exists("/dev/full"); }

TEST(TarvexFiles, ModelUnchangedAndOnlyItsOwnFilesWritten) {
  struct Case {
    const char* what;
    std::string model, answers;
    Names written;  // the new files the run leaves
  };
  const std::string no_doc16 = kPlate.substr(0, kPlate.find("( 16/"));
  for (const Case& c : {
           Case{"success", kPlate, kPlateAnswers, {"modelans.lgw"}},
           Case{"exit at the confirmation", kPlate, "0.5\n2500\nn\n2\ne\n", {}},
           Case{"a stop before any file", kPlate, "0.5\nlots\n", {}},
           Case{"a stop in the stiffness document", "( 3/\n1 3 1E5 2 /\n)\n", kPlateAnswers,
                {"modelans.lgw"}},
           Case{"a stop after every temporary file",
                no_doc16,
                kPlateAnswers,
                {"elements.tmp", "loades.tmp", "modelans.lgw", "nodes.tmp"}},
       }) {
    SCOPED_TRACE(c.what);
    RunResult r = run_program("tarvex", {{"modellir.txt", c.model}}, c.answers);
    EXPECT_TRUE(r.inputs_unchanged());
    EXPECT_EQ(r.new_paths, c.written);
    EXPECT_EQ(r.files.at("modellir.txt"), c.model);
  }
}

TEST(TarvexFiles, ModelWithCrLfLineEndsIsReadNotRewritten) {
  std::string crlf;
  for (char ch : kPlate) {
    if (ch == '\n') crlf += '\r';
    crlf += ch;
  }
  RunResult r = run_program("tarvex", {{"modellir.txt", crlf}}, kPlateAnswers);
  EXPECT_TRUE(r.inputs_unchanged());
  EXPECT_EQ(r.console, native(kToClosing + kCompleted));
  EXPECT_EQ(r.files, (Files{{"modellir.txt", crlf}, {"modelans.lgw", native(kLoadSteps + "!*\nFINISH\n")}}));
}

// modelans.lgw and each temporary file in turn on a device that takes no
// byte: the run ends by the stop with the file's message, never with its
// success message, and leaves the files a stop leaves.
TEST(TarvexFiles, WriteFailuresAreNoSuccess) {
  if (!have_dev_full()) GTEST_SKIP() << "no /dev/full";
  struct Case {
    const char* full;
    std::string console;  // up to the message
    Files left;           // besides modellir.txt
  };
  for (const Case& c : {
           Case{"nodes.tmp", kToNodes, {{"modelans.lgw", native(kMaterials)}}},
           Case{"elements.tmp", kToElements,
                {{"modelans.lgw", native(kElements)}, {"nodes.tmp", kNodesTmp}}},
           Case{"loades.tmp", kToLoadValues,
                {{"modelans.lgw", native(kConstraints)},
                 {"nodes.tmp", kNodesTmp},
                 {"elements.tmp", kElementsTmp}}},
           Case{"modelans.lgw", kToClosing,
                {{"nodes.tmp", kNodesTmp}, {"elements.tmp", kElementsTmp}, {"loades.tmp", kLoadesTmp}}},
       }) {
    SCOPED_TRACE(c.full);
    RunResult r = run_program("tarvex", {{"modellir.txt", kPlate}}, kPlateAnswers, {{c.full, "/dev/full"}});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.console, native(c.console + "\nFile " + c.full + " can't be written to the end." +
                                kPressAnyKey));
    Files left = c.left;
    left["modellir.txt"] = kPlate;
    EXPECT_EQ(r.files, left);
    EXPECT_EQ(r.links, (Links{{c.full, "/dev/full"}}));
    EXPECT_TRUE(r.inputs_unchanged());
  }
}

}  // namespace
}  // namespace tarvex_e2e
