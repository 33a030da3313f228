#include "driver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace keslow {
namespace {

namespace fs = std::filesystem;

/// Runs the driver in this process, in a scratch working directory.
class DriverRun : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::current_path();
    std::string dir = (fs::temp_directory_path() / "keslow-driver-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(dir.data()));
    dir_ = dir;
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(home_);
    fs::remove_all(dir_);
  }
  void put(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
  }
  /// The console of a run that ends with exit code `code`.
  std::string run(const std::string& answers, int code) {
    std::string shown;
    lira::Writer out(&shown);
    std::istringstream in(answers);
    lira::Console con{&out, &in, false};
    EXPECT_EQ(code, run_keslow(con));
    return shown;
  }

  fs::path home_;
  fs::path dir_;
};

const std::string kList = std::string(149, '.') + "\n   1D\n241 3 1 2 3 4 /\n0D )\n";
const std::string kSource(
    "\x01\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\xF1\x00\x03\x00"
    "\xF1\x00\x03\x00\x01\x00\x00\x00\x02\x00\x00\x00\x03\x00\x00\x00\x04\x00\x00\x00",
    36);
const std::string kEnd = "Press any key to finish\n";

TEST_F(DriverRun, CompletesInProcess) {
  put("A_02.A", kList);
  put("A#00.A", kSource);
  std::string shown = run("12\n", 0);
  EXPECT_NE(std::string::npos, shown.find("\nModel transformed saccessfully."));
  std::ifstream b("B#00.B", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(b)), std::istreambuf_iterator<char>());
  EXPECT_EQ(std::string("\x01\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\x29\x00\x0C\x00"
                        "\x29\x00\x0C\x00\x01\x00\x00\x00\x02\x00\x00\x00\x03\x00\x00\x00"
                        "\x04\x00\x00\x00",
                        36),
            bytes);
}

TEST_F(DriverRun, ResultThatCannotBeStoredIsNoSuccess) {
  put("A_02.A", kList);
  put("A#00.A", kSource);
  // Opening works, every write fails: the disk is full.
  fs::create_symlink("/dev/full", "B#00.B");
  std::string shown = run("12\n", 1);
  EXPECT_EQ(std::string::npos, shown.find("saccessfully"));
  std::string stop = "\nFile B#00.B can't be written to the end.\n" + kEnd;
  ASSERT_GE(shown.size(), stop.size());
  EXPECT_EQ(stop, shown.substr(shown.size() - stop.size()));
}

TEST_F(DriverRun, SourceThatCannotBeReadIsNoSuccess) {
  put("A_02.A", kList);
  // A directory opens, but every read of it fails.
  fs::create_directory("A#00.A");
  std::string shown = run("12\n", 1);
  EXPECT_EQ(std::string::npos, shown.find("saccessfully"));
  std::string stop = "\nFile A#00.A can't be read.\n" + kEnd;
  ASSERT_GE(shown.size(), stop.size());
  EXPECT_EQ(stop, shown.substr(shown.size() - stop.size()));
}

}  // namespace
}  // namespace keslow
