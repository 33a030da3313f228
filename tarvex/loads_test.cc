#include "loads.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <vector>

#include "common/stop.h"
#include "phase_test_support.h"
#include "elements.h"
#include "load_values.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

const std::string kHead = "\n!*\n!* APPLICATION OF LOAD\nSFCUM,ALL,ADD\nFCUM,ADD\n";

std::string step(int p) {
  return "LSWRITE," + std::to_string(p) + ",\nFDELE,ALL,ALL\nSFEDELE,ALL,ALL,ALL\n";
}

// A model of the three load documents; document 6 comes first, as in LIRA's files.
std::string model(const std::string& doc7, const std::string& doc16, const std::string& doc6) {
  return "( 6/\n" + doc6 + ")\n( 7/\n" + doc7 + ")\n( 16/\n" + doc16 + ")\n";
}

ElementRecord el(std::int16_t type, std::int16_t stiffness) {
  ElementRecord e;
  e.type = type;
  e.stiffness = stiffness;
  return e;
}

/// Each test works in a directory of its own, with an elements.tmp it writes.
class Loads : public testing::ScratchDirectory {
 protected:
  struct Result {
    std::string console, script, stop;
  };

  /// Documents 7 and 16 are read first (unless `read_values` is false); the
  /// result is what the load application writes.
  Result apply(const std::string& text, std::optional<std::vector<ElementRecord>> elements,
               const std::function<void(tarvex::Run&)>& setup = {}, bool read_values = true) {
    if (elements) {
      lira::RecordFile file;
      EXPECT_TRUE(file.create("elements.tmp", kElementRecordSize));
      unsigned char bytes[kElementRecordSize];
      for (const ElementRecord& e : *elements) {
        encode_element(e, bytes);
        file.append(bytes);
      }
      EXPECT_TRUE(file.close());
    }
    Result r;
    lira::Writer out(&r.console);
    std::istringstream keys;
    lira::Console con{&out, &keys, false};
    tarvex::Run run(con, lira::TextReader::from_text("modellir.txt", text));
    if (setup) setup(run);
    try {
      if (read_values) read_load_values(run);
      out.flush();
      r.console.clear();
      run.script.open_text(&r.script);
      apply_loads(run);
    } catch (const lira::Stop& s) {
      r.stop = s.message;
    }
    out.flush();
    return r;
  }
};

TEST_F(Loads, NodalForcesAreNegatedWithTheirLabels) {
  Result r = apply(model("1 1.5 /\n2 -2 /\n3 /\n", "1 /\n",
                         "12 0 3 1 1 /\n5 0 1 2 1 /\n5 0 2 1 1 /\n5 0 4 1 1 /\n"
                         "5 0 5 1 1 /\n5 0 6 2 1 /\n7 0 3 3 1 /\n"),
                   std::vector<ElementRecord>{});
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.script, kHead +
                          "F,12,FZ,-15000\nF,5,FX,20000\nF,5,FY,-15000\nF,5,MX,-15000\n"
                          "F,5,MY,-15000\nF,5,MZ,20000\nF,7,FZ,-0\n" +
                          step(1));
  EXPECT_EQ(r.console,
            "\n\nAPPLICATION OF LOAD\n( 6/\n12 0 3 1 1 /\n5 0 1 2 1 /\n5 0 2 1 1 /\n"
            "5 0 4 1 1 /\n5 0 5 1 1 /\n5 0 6 2 1 /\n7 0 3 3 1 /\n) ");
}

TEST_F(Loads, AnEmptyListWritesNoLoadStep) {
  // Document 6 is not even looked for.
  Result r = apply("( 7/\n)\n( 16/\n)\n", std::vector<ElementRecord>{});
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.script, kHead);
  EXPECT_EQ(r.console, "\n\nAPPLICATION OF LOAD\n");
}

TEST_F(Loads, LoadStepsAreNumberedByPositionInTheList) {
  // Case 5 has no record and still gets its load step; other cases' records are passed over.
  Result r = apply(model("1 1.5 /\n", "5 /\n3 /\n0 /\n4 /\n", "1 0 3 1 3 /\n2 0 3 1 4 /\n"),
                   std::vector<ElementRecord>{});
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.script, kHead + step(1) + "F,1,FZ,-15000\n" + step(2));
  EXPECT_EQ(r.console,
            "\n\nAPPLICATION OF LOAD\n( 6/\n1 0 3 1 3 /\n2 0 3 1 4 /\n) "
            "( 6/\n1 0 3 1 3 /\n2 0 3 1 4 /\n) ");
}

TEST_F(Loads, TwentyLoadCasesAtMost) {
  std::string doc16;
  for (int i = 1; i <= 21; ++i) doc16 += std::to_string(i) + " /\n";
  Result r = apply(model("1 1 /\n", doc16, "9 0 1 1 20 /\n9 0 1 1 21 /\n"),
                   std::vector<ElementRecord>{});
  EXPECT_EQ(r.stop, "");
  std::string expected = kHead;
  for (int p = 1; p <= 19; ++p) expected += step(p);
  expected += "F,9,FX,-10000\n" + step(20);
  EXPECT_EQ(r.script, expected);
}

TEST_F(Loads, TheWeightCaseIsAnAcceleration) {
  // No element has mass, so no own-weight record is needed.
  Result r = apply(model("1 1.5 /\n", "1 /\n2 /\n3 /\n", "4 0 3 1 2 /\n"),
                   std::vector<ElementRecord>{el(44, 1), el(51, 2)},
                   [](tarvex::Run& run) { run.weight_load_no = 2; });
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.script, kHead + step(1) + "ACEL,0,0,10\nF,4,FZ,-15000\n" + step(2) +
                          "ACEL,0,0,0\n" + step(3));
}

TEST_F(Loads, OwnWeightOutsideTheWeightCase) {
  Result r = apply(model("1 0.5 /\n", "1 /\n", "1 16 3 1 1 /\n"),
                   std::vector<ElementRecord>{el(44, 1)},
                   [](tarvex::Run& run) { run.weight_load_no = 9; });
  EXPECT_EQ(r.stop,
            "\nDoc. 6 of modellir.txt includes load type, which is\nnot weight but supposed to be.");
  EXPECT_EQ(r.script, kHead);
}

TEST_F(Loads, BeamPressures) {
  Result r = apply(model("1 1.5 /\n", "1 /\n",
                         "1 6 2 1 1 /\n2 6 3 1 1 /\n1 7 3 1 1 /\n3 6 3 1 1 /\n3 7 3 1 1 /\n"
                         "4 6 3 1 1 /\n"),
                   std::vector<ElementRecord>{el(10, 1), el(210, 2), el(51, 3), el(4, 0)});
  EXPECT_EQ(r.stop, "");
  // A bar with load type 7, a link, or an element of another type take no load.
  EXPECT_EQ(r.script, kHead + "SFBEAM,1,2,PRES,15000\nSFBEAM,2,1,PRES,15000\n" + step(1));
}

TEST_F(Loads, BeamDirectionsOtherThanTwoAndThree) {
  for (const char* d : {"1", "4", "5", "6"}) {
    Result r = apply(model("1 1.5 /\n", "1 /\n", std::string("1 6 ") + d + " 1 1 /\n"),
                     std::vector<ElementRecord>{el(210, 1)});
    EXPECT_EQ(r.stop,
              "\nDoc. 6 includes illegal load direction:\ndir. No 1, 4, 5 or 6 is applied to beam.");
    EXPECT_EQ(r.script, kHead + "SFBEAM,1");
  }
  Result outside = apply(model("1 1.5 /\n", "1 /\n", "1 6 9 1 1 /\n"),
                         std::vector<ElementRecord>{el(10, 1)});
  EXPECT_EQ(outside.stop, "\nDoc. 6 includes illegal load direction:\ndir. No 9 is not one of 1 to 6.");
  EXPECT_EQ(outside.script, kHead + "SFBEAM,1");
}

TEST_F(Loads, PlatePressures) {
  Result r = apply(model("1 1.5 /\n2 1 2 3 4 /\n3 1 2 3 /\n", "1 /\n",
                         "1 6 3 1 1 /\n2 7 3 2 1 /\n3 7 3 3 1 /\n4 6 3 1 1 /\n5 7 3 2 1 /\n"
                         "6 7 3 3 1 /\n3 7 3 2 1 /\n"),
                   std::vector<ElementRecord>{el(44, 1), el(41, 1), el(42, 1), el(244, 2),
                                              el(241, 2), el(242, 2)});
  EXPECT_EQ(r.stop, "");
  // The mean of four values, or of the first three for a triangle.
  EXPECT_EQ(r.script, kHead +
                          "SFE,1,2,PRES,,15000\nSFE,2,2,PRES,,25000\nSFE,3,2,PRES,,20000\n"
                          "SFE,4,6,PRES,,15000\nSFE,5,6,PRES,,25000\nSFE,6,6,PRES,,20000\n"
                          "SFE,3,2,PRES,,20000\n" +
                          step(1));
}

TEST_F(Loads, TheMeanIsSummedInDouble) {
  // 0.00025 and 1677.7216 are stored as 2.5 and 16777216 = 2^24. In double
  // 2^24 + 2.5 - 2^24 is 2.5; in single the 2.5 would be lost to 2.
  Result r = apply(model("1 0.00025 1677.7216 -1677.7216 /\n", "1 /\n", "1 7 3 1 1 /\n2 7 3 1 1 /\n"),
                   std::vector<ElementRecord>{el(42, 1), el(44, 1)});
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.script, kHead + "SFE,1,2,PRES,,0.833333\nSFE,2,2,PRES,,0.625\n" + step(1));
}

TEST_F(Loads, PlateLoadTypesOtherThanSixSevenSixteen) {
  for (const char* t : {"5", "10", "-6"}) {
    Result r = apply(model("1 1 /\n", "1 /\n", std::string("1 ") + t + " 3 1 1 /\n"),
                     std::vector<ElementRecord>{el(242, 1)});
    EXPECT_EQ(r.stop, "\nDoc. 6 includes illegal load type\n(no types 6, 7 or 16 is applied to shell).");
    EXPECT_EQ(r.script, kHead);
  }
}

TEST_F(Loads, PlateDirectionsOtherThanThree) {
  for (const char* d : {"1", "2", "4", "5", "6"}) {
    Result r = apply(model("1 1 /\n", "1 /\n", std::string("1 7 ") + d + " 1 1 /\n"),
                     std::vector<ElementRecord>{el(41, 1)});
    EXPECT_EQ(r.stop,
              "\nDoc. 6 includes illegal load direction:\ndir. No 1, 2, 4, 5 or 6 is applied to shell.");
    EXPECT_EQ(r.script, kHead + "SFE,1");
  }
  Result outside = apply(model("1 1 /\n", "1 /\n", "1 6 0 1 1 /\n"),
                         std::vector<ElementRecord>{el(244, 1)});
  EXPECT_EQ(outside.stop, "\nDoc. 6 includes illegal load direction:\ndir. No 0 is not one of 1 to 6.");
  EXPECT_EQ(outside.script, kHead + "SFE,1");
}

TEST_F(Loads, NodalDirectionsOutsideOneToSix) {
  for (const char* d : {"0", "7", "-1"}) {
    Result r = apply(model("1 1 /\n", "1 /\n", std::string("3 0 ") + d + " 1 1 /\n"),
                     std::vector<ElementRecord>{});
    EXPECT_EQ(r.stop, std::string("\nDoc. 6 includes illegal load direction:\ndir. No ") + d +
                          " is not one of 1 to 6.");
    EXPECT_EQ(r.script, kHead);
  }
}

TEST_F(Loads, ElementNumbersOutsideDocumentOne) {
  for (const char* n : {"0", "3", "-2"}) {
    for (const char* t : {"6", "7", "16"}) {
      Result r = apply(model("1 0.5 /\n", "1 /\n", std::string(n) + " " + t + " 3 1 1 /\n"),
                       std::vector<ElementRecord>{el(44, 1), el(10, 1)},
                       [](tarvex::Run& run) { run.weight_load_no = 1; });
      EXPECT_EQ(r.stop, std::string("\nDoc. 6 includes element ") + n +
                            ", which is not in doc. 1 (elements 1 to 2).");
      EXPECT_EQ(r.script, kHead + "ACEL,0,0,10\n");
    }
  }
  EXPECT_EQ(apply(model("1 1 /\n", "1 /\n", "1 6 3 1 1 /\n"), std::vector<ElementRecord>{}).stop,
            "\nDoc. 6 includes element 1, which is not in doc. 1 (no elements).");
}

TEST_F(Loads, ValueLinesOutsideDocumentSeven) {
  const char* message = "\nIncorrect loades.tmp: irrelevant load type number.";
  for (const char* v : {"0", "3", "-1"}) {
    Result r = apply(model("1 1 /\n2 2 /\n", "1 /\n", std::string("1 0 3 ") + v + " 1 /\n"),
                     std::vector<ElementRecord>{el(44, 1)});
    EXPECT_EQ(r.stop, message);
    EXPECT_EQ(r.script, kHead);
  }
  // The values are fetched first, also for a record that would be skipped or
  // refused for another reason.
  EXPECT_EQ(apply(model("1 1 /\n", "1 /\n", "1 7 3 5 1 /\n"), std::vector<ElementRecord>{el(10, 1)}).stop,
            message);
  EXPECT_EQ(apply(model("1 1 /\n", "1 /\n", "1 16 3 5 1 /\n"), std::vector<ElementRecord>{el(44, 1)}).stop,
            message);
}

TEST_F(Loads, ALoadRecordOfAnotherLine) {
  lira::RecordFile loads;
  ASSERT_TRUE(loads.create("loades.tmp", kLoadRecordSize));
  LoadRecord record;
  record.line = 2;
  record.value[0] = 10000.0f;
  unsigned char bytes[kLoadRecordSize];
  encode_load(record, bytes);
  loads.append(bytes);
  ASSERT_TRUE(loads.close());
  Result r = apply("( 6/\n1 0 3 1 1 /\n)\n", std::vector<ElementRecord>{},
                   [](tarvex::Run& run) { run.load_cases[0] = 1; }, false);
  EXPECT_EQ(r.stop, "\nIncorrect loades.tmp: irrelevant load type number.");
}

TEST_F(Loads, TemporaryFilesThatCannotBeOpened) {
  Result no_values = apply("( 6/\n)\n", std::vector<ElementRecord>{},
                           [](tarvex::Run& run) { run.load_cases[0] = 1; }, false);
  EXPECT_EQ(no_values.stop, "\nFile loades.tmp can't be opened.");
  fs::remove("elements.tmp");
  Result no_elements = apply(model("", "1 /\n", ""), std::nullopt);
  EXPECT_EQ(no_elements.stop, "\nFile elements.tmp can't be opened.");
  EXPECT_EQ(no_elements.script, kHead);
}

TEST_F(Loads, RecordsThatEndTooEarly) {
  const char* message = "\nIncorrect modellir.txt: error in load table (doc. 6).";
  // Checked for every record, whatever its load case.
  for (const char* record : {"1 0 / 1 1 /", "1 0/ 3 1 1 /", "/ 0 3 1 1 /", "1 0 3 1 /",
                             "1 0 3 1/ 1 /", "1 0 3 1 /2"}) {
    Result r = apply(model("1 1 /\n", "1 /\n", std::string("7 0 3 1 1 /\n") + record + "\n"),
                     std::vector<ElementRecord>{});
    EXPECT_EQ(r.stop, message) << record;
    EXPECT_EQ(r.script, kHead + "F,7,FZ,-10000\n") << record;
  }
}

TEST_F(Loads, TheRestOfARecordAndItsEnd) {
  // A slash glued to the load case ends the record; further fields are passed over;
  // a ")" inside a record ends the document and drops the record.
  Result r = apply(model("1 1 /\n", "1 /\n", "1 0 3 1 1/\n2 0 3 1 1 9 9 /\n3 0 3 1 )\n"),
                   std::vector<ElementRecord>{});
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.script, kHead + "F,1,FZ,-10000\nF,2,FZ,-10000\n" + step(1));
  EXPECT_EQ(r.console,
            "\n\nAPPLICATION OF LOAD\n( 6/\n1 0 3 1 1/ /\n2 0 3 1 1 /\n3 0 3 1 ) ");
}

TEST_F(Loads, MissingDocumentAndEndOfFile) {
  EXPECT_EQ(apply("( 7/\n)\n( 16/\n1 /\n)\n  ( 6/\n)\n", std::vector<ElementRecord>{}).stop,
            "\nIncorrect modellir.txt: no load table.");
  const char* eof = "\nIncorrect modellir.txt: end of file inside document 6.";
  for (const char* tail : {"1 0 3 1 1 /\n", "1 0 3 1 1 /\n2 0", "1 0 3 1 1 /\n2 0 3 1 1 9"}) {
    Result r = apply(std::string("( 7/\n1 1 /\n)\n( 16/\n1 /\n)\n( 6/\n") + tail,
                     std::vector<ElementRecord>{});
    EXPECT_EQ(r.stop, eof) << tail;
    EXPECT_EQ(r.script, kHead + "F,1,FZ,-10000\n") << tail;
  }
}

// Own weight: stiffness 1 is a plate of 0.2 with density 2500, so its weight
// intensity is 500 and its own weight 5000 (the value 0.5 of document 7).
void dense_plates(tarvex::Run& run) {
  run.weight_load_no = 1;
  run.density.fill(0.0f);
  run.density[1] = 2500.0f;
  run.stiffness.weight_intensity[1] = 500.0f;
}

TEST_F(Loads, OwnWeightIsCheckedAndNotWritten) {
  Result r = apply(model("1 0.5 /\n2 1 /\n", "1 /\n",
                         "1 16 3 1 1 /\n1 6 3 2 1 /\n4 16 3 1 1 /\n5 16 3 1 1 /\n"),
                   std::vector<ElementRecord>{el(44, 1), el(44, 2), el(51, 3), el(10, 1), el(210, 1)},
                   dense_plates);
  EXPECT_EQ(r.stop, "");
  // Elements 2 (no density) and 3 (a link) need no own-weight record.
  EXPECT_EQ(r.script, kHead + "ACEL,0,0,10\nSFE,1,2,PRES,,10000\n" + step(1) + "ACEL,0,0,0\n");
}

TEST_F(Loads, AnElementWithMassButNoOwnWeightRecord) {
  const char* message = "\nElement has weight which not described in doc. 6";
  Result between = apply(model("1 0.5 /\n", "1 /\n", "1 16 3 1 1 /\n3 16 3 1 1 /\n"),
                         std::vector<ElementRecord>{el(44, 1), el(42, 1), el(44, 1)}, dense_plates);
  EXPECT_EQ(between.stop, message);
  EXPECT_EQ(between.script, kHead + "ACEL,0,0,10\n");
  // After the last own-weight record, tested when the document ends.
  Result after = apply(model("1 0.5 /\n", "1 /\n", "1 16 3 1 1 /\n"),
                       std::vector<ElementRecord>{el(44, 1), el(51, 3), el(242, 1)}, dense_plates);
  EXPECT_EQ(after.stop, message);
  EXPECT_EQ(after.script, kHead + "ACEL,0,0,10\n");
  // A weight case without any own-weight record weighs every element.
  Result none = apply(model("1 0.5 /\n", "2 /\n1 /\n", "1 0 3 1 1 /\n"),
                      std::vector<ElementRecord>{el(51, 3), el(10, 1)}, dense_plates);
  EXPECT_EQ(none.stop, message);
  EXPECT_EQ(none.script, kHead + step(1) + "ACEL,0,0,10\nF,1,FZ,-5000\n");
}

TEST_F(Loads, ElementsOfOtherTypesHaveNoWeightToTest) {
  const char* zero = "\nIllegal element type found on testing zero element weight.";
  EXPECT_EQ(apply(model("1 0.5 /\n", "1 /\n", "1 16 3 1 1 /\n3 16 3 1 1 /\n"),
                  std::vector<ElementRecord>{el(44, 1), el(4, 0), el(44, 1)}, dense_plates)
                .stop,
            zero);
  EXPECT_EQ(apply(model("1 0.5 /\n", "1 /\n", "1 16 3 1 1 /\n"),
                  std::vector<ElementRecord>{el(44, 1), el(4, 0)}, dense_plates)
                .stop,
            zero);
  const char* nonzero = "\nIllegal element type found on testing nonzero element weight.";
  for (std::int16_t type : {51, 4, 0}) {
    EXPECT_EQ(apply(model("1 0.5 /\n", "1 /\n", "1 16 3 1 1 /\n"),
                    std::vector<ElementRecord>{el(type, 1)}, dense_plates)
                  .stop,
              nonzero);
  }
  EXPECT_EQ(apply(model("1 0.5 /\n", "1 /\n", "1 16 2 1 1 /\n"),
                  std::vector<ElementRecord>{el(44, 1)}, dense_plates)
                .stop,
            "\nWeight direction illegal.");
}

TEST_F(Loads, OwnWeightWithinFivePercentInSinglePrecision) {
  // The value 0.01 is stored as 100; an intensity w gives a deviation |10 w - 100| / 100.
  struct Case {
    float intensity;
    bool passes;
  } cases[] = {
      {10.0f, true},   {10.49f, true}, {9.51f, true},
      // Exactly 5 %: 5 / 100 in single precision is 0.0500000007, above the double 0.05.
      {10.5f, false},  {9.5f, false},  {10.51f, false}, {0.0f, false},
  };
  for (const Case& c : cases) {
    Result r = apply(model("1 0.01 /\n", "1 /\n", "1 16 3 1 1 /\n"),
                     std::vector<ElementRecord>{el(41, 7)}, [&](tarvex::Run& run) {
                       run.weight_load_no = 1;
                       run.density[7] = 1.0f;
                       run.stiffness.weight_intensity[7] = c.intensity;
                     });
    EXPECT_EQ(r.stop, c.passes ? "" : "\nWeight value illegal.") << c.intensity;
  }
}

TEST_F(Loads, OwnWeightOfAnUndefinedStiffnessOrOfValueZero) {
  // No weight intensity: a deviation of 1. A value of 0 gives no finite
  // deviation with no intensity (it passes), an infinite one with an intensity.
  auto run_with = [&](const char* value, std::int16_t stiffness) {
    return apply(model(std::string("1 ") + value + " /\n", "1 /\n", "1 16 3 1 1 /\n"),
                 std::vector<ElementRecord>{el(44, stiffness)}, dense_plates)
        .stop;
  };
  EXPECT_EQ(run_with("0.5", 9), "\nWeight value illegal.");
  EXPECT_EQ(run_with("0", 9), "");
  EXPECT_EQ(run_with("0", 1), "\nWeight value illegal.");
  EXPECT_EQ(run_with("0.5", 60), "\nIncorrect modellir.txt: stiffness number 60 is outside 0 to 49.");
}

TEST_F(Loads, OwnWeightRecordsOutOfOrder) {
  // Element 1 has no mass and the value 0; the end of the document tests only
  // what lies after the highest own-weight element, so element 2 is not
  // mistaken for one without a record.
  Result r = apply(model("1 0.5 /\n2 0 /\n", "1 /\n", "2 16 3 1 1 /\n1 16 3 2 1 /\n"),
                   std::vector<ElementRecord>{el(44, 2), el(44, 1)}, dense_plates);
  EXPECT_EQ(r.stop, "");
}

TEST_F(Loads, TheWeightCaseTwiceInTheList) {
  Result r = apply(model("1 0.5 /\n", "1 /\n1 /\n", "1 16 3 1 1 /\n2 16 3 1 1 /\n"),
                   std::vector<ElementRecord>{el(44, 1), el(44, 1)}, dense_plates);
  EXPECT_EQ(r.stop, "");
  EXPECT_EQ(r.script, kHead + "ACEL,0,0,10\n" + step(1) + "ACEL,0,0,0\nACEL,0,0,10\n" + step(2) +
                          "ACEL,0,0,0\n");
}


TEST_F(Loads, ElementLoadsAfterAnUnconvertedElementStop) {
  // Element 2 (type 5, a space-frame bar) creates nothing: the script's
  // element 3 is element 4 of document 1. Loads up to element 2, nodal forces
  // and loads on element 2 itself (which take none) go through.
  auto second_unconverted = [](tarvex::Run& run) { run.first_unconverted_element = 2; };
  const std::vector<ElementRecord> elements{el(44, 1), el(5, 0), el(10, 2), el(44, 1)};
  const std::string stop =
      "\nDoc. 6 loads element 4, but element 2 before it in doc. 1 has type 5, which is not "
      "converted: the script numbers the elements after it one lower, so the load would fall on "
      "another element. Remove element 2 from doc. 1 or give it a converted type.";
  Result plate = apply(model("1 1.5 /\n", "1 /\n",
                             "1 6 3 1 1 /\n4 0 3 1 1 /\n2 6 3 1 1 /\n4 6 3 1 1 /\n1 7 3 1 1 /\n"),
                       elements, second_unconverted);
  EXPECT_EQ(plate.stop, stop);
  EXPECT_EQ(plate.script, kHead + "SFE,1,2,PRES,,15000\nF,4,FZ,-15000\n");
  // A bar: the stop comes before "SFBEAM,".
  Result bar = apply(model("1 1.5 /\n", "1 /\n", "3 6 9 1 1 /\n"), elements, second_unconverted);
  EXPECT_EQ(bar.stop,
            "\nDoc. 6 loads element 3, but element 2 before it in doc. 1 has type 5, which is not "
            "converted: the script numbers the elements after it one lower, so the load would "
            "fall on another element. Remove element 2 from doc. 1 or give it a converted type.");
  EXPECT_EQ(bar.script, kHead);
  // The named check of a plate load comes first.
  Result type = apply(model("1 1.5 /\n", "1 /\n", "4 5 3 1 1 /\n"), elements, second_unconverted);
  EXPECT_EQ(type.stop,
            "\nDoc. 6 includes illegal load type\n(no types 6, 7 or 16 is applied to shell).");
  // Without an unconverted element the same loads are written.
  Result all = apply(model("1 1.5 /\n", "1 /\n", "3 6 2 1 1 /\n4 6 3 1 1 /\n"), elements);
  EXPECT_EQ(all.stop, "");
  EXPECT_EQ(all.script, kHead + "SFBEAM,3,2,PRES,15000\nSFE,4,2,PRES,,15000\n" + step(1));
}

TEST_F(Loads, ARecordOnTheHeaderLineOfTheLoadTableStops) {
  Result r = apply("( 7/\n1 1 /\n)\n( 16/\n1 /\n)\n( 6/ 1 0 3 1 1 /\n2 0 3 1 1 /\n)\n",
                   std::vector<ElementRecord>{});
  EXPECT_EQ(r.stop, "\nIncorrect modellir.txt: the header line of document 6 holds a record, "
                    "\"1 0 3 1 1 /\": begin the records of the document on the line after its "
                    "header.");
  EXPECT_EQ(r.script, kHead);
  EXPECT_EQ(r.console, "\n\nAPPLICATION OF LOAD\n( 6/ 1 0 3 1 1 /\n");
  // A title after the header is passed over.
  Result title = apply("( 7/\n1 1 /\n)\n( 16/\n1 /\n)\n( 6/ load table\n2 0 3 1 1 /\n)\n",
                       std::vector<ElementRecord>{});
  EXPECT_EQ(title.stop, "");
  EXPECT_EQ(title.script, kHead + "F,2,FZ,-10000\n" + step(1));
}

}  // namespace
}  // namespace tarvex
