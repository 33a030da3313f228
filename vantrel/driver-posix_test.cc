// Whole runs in this process, in a scratch directory, for what a run of the
// binary cannot arrange: files that cannot be created, written or opened again.
// POSIX only: a pipe and /dev/full stand in for a slow input and a full disk.
#include "driver.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

const std::string kHead =
    "\nVantrel for LIRA 9.x, v.1.1."
    "\nVantrel \xA4\xAB\xEF LIRA 9.x, \xA2\xA5\xE0\xE1\xA8\xEF 1.1."
    "\n\n         model.txt\xC4\xC4\xBF"
    "\n                    \xC3\xC4\xC4> modelnew.txt"
    "\n      loadfrag.txt\xC4\xC4\xD9\n\n";
const std::string kPressAnyKey = "\nPress any key to finish\n";

const std::string kModel = "( 6/\n\n )\n( 7/\n4 1 0 /\n\n )\n";
const std::string kTable =
    "-----\n| 9 |\n-----\n| 1 - static |\n"
    "| RX     2.5    |\n"  // a cell of 9 characters from the seventh, then the end mark
    "-----\n";
const std::string kDoc6 = "9 0 1 5 1 /\r\n";
const std::string kDoc7 = "5 2.5 0 /\r\n";

std::string read_all(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_all(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

class DriverRun : public ::testing::Test {
 public:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vantrel-driver-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    saved_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(saved_);
    fs::remove_all(dir_);
  }

  // The console of a run that ends with exit code `code`.
  std::string run(int code = 1) {
    std::string console;
    lira::Writer out(&console);
    std::istringstream keys("k");
    lira::Console con{&out, &keys, false};
    EXPECT_EQ(run_vantrel(con), code);
    out.flush();
    return console;
  }

  // What the directory holds: a file's bytes, "<dir>" or "<link>".
  std::map<std::string, std::string> files() {
    std::map<std::string, std::string> m;
    for (const auto& e : fs::directory_iterator(dir_)) {
      std::string name = e.path().filename().string();
      if (e.is_symlink()) m[name] = "<link>";
      else if (e.is_directory()) m[name] = "<dir>";
      else if (e.is_regular_file()) m[name] = read_all(e.path());
      else m[name] = "<other>";
    }
    return m;
  }

  fs::path dir_, saved_;
};

using Listing = std::map<std::string, std::string>;

TEST_F(DriverRun, SuccessLeavesOnlyTheNewModel) {
  write_all("model.txt", kModel);
  write_all("loadfrag.txt", kTable);
  EXPECT_EQ(run(0),
            kHead +
                "\nModel transformed saccessfully."
                "\n\x8C\xAE\xA4\xA5\xAB\xEC \xE2\xE0\xA0\xAD\xE1\xE4\xAE\xE0\xAC\xA8\xE0\xAE\xA2"
                "\xA0\xAB\xA0\xE1\xEC \xE3\xE1\xAF\xA5\xE8\xAD\xAE.\n" +
                kPressAnyKey);
  EXPECT_EQ(files(), (Listing{{"model.txt", kModel},
                              {"loadfrag.txt", kTable},
                              {"modelnew.txt", "( 6/\r\n" + kDoc6 + "\r\n )\r\n( 7/\r\n4 1 0 /\r\n" +
                                                   kDoc7 + "\r\n )\r\n"}}));
}

TEST_F(DriverRun, OutputsThatCannotBeCreated) {
  write_all("model.txt", kModel);
  write_all("loadfrag.txt", kTable);
  fs::create_directory("doc6.txt");
  EXPECT_EQ(run(), kHead + "\nFile doc6.txt can't be opened." + kPressAnyKey);
  EXPECT_EQ(files(),
            (Listing{{"model.txt", kModel}, {"loadfrag.txt", kTable}, {"doc6.txt", "<dir>"}}));

  fs::remove("doc6.txt");
  fs::create_directory("doc7.txt");
  EXPECT_EQ(run(), kHead + "\nFile doc7.txt can't be opened." + kPressAnyKey);
  EXPECT_EQ(files(), (Listing{{"model.txt", kModel},
                              {"loadfrag.txt", kTable},
                              {"doc6.txt", ""},
                              {"doc7.txt", "<dir>"}}));

  fs::remove("doc6.txt");
  fs::remove("doc7.txt");
  fs::create_directory("modelnew.txt");
  EXPECT_EQ(run(), kHead + "\nFile modelnew.txt can't be opened." + kPressAnyKey);
  EXPECT_EQ(files(), (Listing{{"model.txt", kModel},
                              {"loadfrag.txt", kTable},
                              {"doc6.txt", kDoc6},
                              {"doc7.txt", kDoc7},
                              {"modelnew.txt", "<dir>"}}));
}

TEST_F(DriverRun, WriteFailuresAreNoSuccess) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  write_all("model.txt", kModel);
  write_all("loadfrag.txt", kTable);
  struct Case {
    const char* full;  // the file that cannot take its bytes
    Listing left;
  };
  for (const Case& c : {Case{"doc6.txt", {{"doc6.txt", "<link>"}, {"doc7.txt", kDoc7}}},
                        Case{"doc7.txt", {{"doc6.txt", kDoc6}, {"doc7.txt", "<link>"}}},
                        Case{"modelnew.txt", {{"doc6.txt", kDoc6},
                                              {"doc7.txt", kDoc7},
                                              {"modelnew.txt", "<link>"}}}}) {
    fs::remove("doc6.txt");
    fs::remove("doc7.txt");
    fs::remove("modelnew.txt");
    fs::create_symlink("/dev/full", c.full);
    EXPECT_EQ(run(), kHead + "\nFile " + c.full + " can't be written to the end." + kPressAnyKey);
    Listing expected = c.left;
    expected["model.txt"] = kModel;
    expected["loadfrag.txt"] = kTable;
    EXPECT_EQ(files(), expected);
  }
}

// loadfrag.txt is a pipe: while the run waits for the table, `remove` takes
// a file away, so that pass 2 cannot open it again.
void run_with_file_taken_away(DriverRun* test, const char* remove, std::string* console) {
  ASSERT_EQ(mkfifo("loadfrag.txt", 0600), 0);
  std::thread writer([&] {
    std::ofstream pipe("loadfrag.txt", std::ios::binary);  // waits for the run to open it
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists("doc7.txt") && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    fs::remove(remove);
    pipe << kTable;
  });
  *console = test->run();
  writer.join();
}

TEST_F(DriverRun, InputsThatCannotBeOpenedAgain) {
  struct Case {
    const char* removed;
    Listing left;
  };
  for (const Case& c : {Case{"doc6.txt", {{"doc7.txt", kDoc7}}},
                        Case{"doc7.txt", {{"doc6.txt", kDoc6}}},
                        Case{"model.txt", {{"doc6.txt", kDoc6}, {"doc7.txt", kDoc7}}}}) {
    for (const auto& e : fs::directory_iterator(dir_)) fs::remove(e.path());
    write_all("model.txt", kModel);
    std::string console;
    run_with_file_taken_away(this, c.removed, &console);
    EXPECT_EQ(console, kHead + "\nFile " + c.removed + " can't be opened." + kPressAnyKey);
    Listing expected = c.left;
    expected["loadfrag.txt"] = "<other>";
    if (std::string(c.removed) != "model.txt") expected["model.txt"] = kModel;
    EXPECT_EQ(files(), expected);
  }
}

}  // namespace
}  // namespace vantrel
