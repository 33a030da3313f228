// The second pass: plates against their nodes, own weight against the
// densities.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "check_model.h"
#include "check_model_testing.h"

namespace modelcheck {
namespace {

using check_testing::kPlate;
using check_testing::replaced;
using check_testing::report;

TEST(CheckModel, TwistedPlatesOnly) {
  const char kClean[] = "modellir.txt: no findings: tarvex will read it as it is written.\n";
  EXPECT_EQ(report(replaced(kPlate, "1 1 0 /", "1 1 0.3 /")), kClean);
  EXPECT_EQ(report(replaced(kPlate, "44 1 1 2 3 4 /", "42 1 1 2 4 /")), kClean);
  EXPECT_NE(report(replaced(kPlate, "44 1 1 2 3 4 /", "244 1 1 2 4 3 /"))
                .find("[twisted-plate] element 1 (type 244) on nodes 1 2 4 3 is twisted"),
            std::string::npos);
  // Every order of the four corners of the square: twisted or not as
  // tarvex writes them, and mended into an order that is not.
  const char* orders[] = {"1 2 3 4", "1 2 4 3", "1 3 2 4", "1 3 4 2", "1 4 2 3", "1 4 3 2",
                          "2 1 4 3", "3 4 1 2", "4 3 2 1", "2 4 1 3"};
  int twisted = 0;
  for (const char* order : orders) {
    std::string r = report(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 " + std::string(order) + " /"));
    std::size_t mend = r.find("mend: write its nodes ");
    if (mend == std::string::npos) {
      EXPECT_EQ(r, kClean) << order;
      continue;
    }
    ++twisted;
    std::string fixed = r.substr(mend + 22, 7);
    EXPECT_EQ(report(replaced(kPlate, "44 1 1 2 3 4 /", "44 1 " + fixed + " /")), kClean)
        << order << " mended to " << fixed;
  }
  // Worked out by hand: 1 2 4 3, 1 3 4 2, 1 4 2 3 and 1 4 3 2 cross over.
  EXPECT_EQ(twisted, 4);
}

TEST(CheckModel, OwnWeightNeedsTheDensity) {
  // 0.2 m of plate at 2500 kg/m3 weigh 0.5; at 2400, 0.48, within 5 %.
  Options o;
  o.has_density = true;
  o.density = 2400;
  EXPECT_EQ(report(kPlate, o),
            "modellir.txt: no findings: tarvex will read it as it is written.\n");
  o.density = 2000;
  EXPECT_NE(
      report(kPlate, o).find("modellir.txt:17: [own-weight] the own weight of element 1 is 0.5 "
                             "(line 1 of document 7), where stiffness 1 at density 2000 gives 0.4"),
      std::string::npos);
  // A density exception of the stiffness counts, as tarvex's answers give it.
  o.density = 2500;
  o.density_exceptions.push_back(Options::DensityException{1, 2000});
  EXPECT_NE(report(kPlate, o).find("where stiffness 1 at density 2000 gives 0.4"),
            std::string::npos);
  // Without a density only what needs none is checked.
  EXPECT_EQ(report(replaced(kPlate, "1 0.5 /", "1 5 /")),
            "modellir.txt: no findings: tarvex will read it as it is written.\n");
}

}  // namespace
}  // namespace modelcheck
