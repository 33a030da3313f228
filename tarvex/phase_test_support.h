// Unit tests of the phases: a run over an in-memory model whose temporary
// files (nodes.tmp, elements.tmp, loades.tmp) live in memory too. Only the
// tests of the files themselves (one that cannot be opened) keep them on
// disk, in a scratch working directory.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "common/stop.h"
#include "run.h"

namespace tarvex {
namespace testing {

namespace fs = std::filesystem;

/// A working directory of the test's own while it lives; named by the test,
/// so tests run side by side never share one.
class ScratchDirectory {
 public:
  ScratchDirectory() : home_(fs::current_path()) {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = fs::temp_directory_path() /
           ("tarvex-phase-" + name + "-" + std::to_string(std::random_device{}()) + "-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  ~ScratchDirectory() {
    fs::current_path(home_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

 private:
  fs::path home_, dir_;
};

/// The temporary files of the runs of one test. They outlive each run, as
/// files on disk do, so a later run of the test finds what an earlier one
/// left.
class TemporaryFiles : public ::testing::Test {
 protected:
  void TearDown() override { scratch_.reset(); }

  /// For the tests of the files themselves: from now on the runs keep their
  /// temporary files on disk, in a scratch working directory.
  void use_disk() { scratch_ = std::make_unique<ScratchDirectory>(); }

  /// A run over `model` whose record files are this test's temporary files.
  std::unique_ptr<tarvex::Run> run_over(lira::Console& con, const std::string& model) {
    auto run =
        std::make_unique<tarvex::Run>(con, lira::TextReader::from_text("modellir.txt", model));
    if (!scratch_) {
      run->nodes.keep_in_memory(&files_["nodes.tmp"]);
      run->elements.keep_in_memory(&files_["elements.tmp"]);
      run->loads.keep_in_memory(&files_["loades.tmp"]);
    }
    return run;
  }
  /// A record file of its own on the temporary file `name`, for a test that
  /// writes what an earlier phase would have.
  void attach(lira::RecordFile& file, const std::string& name) {
    if (!scratch_) file.keep_in_memory(&files_[name]);
  }

  /// The bytes of temporary file `name`.
  std::string file(const std::string& name) {
    if (!scratch_) return files_[name];
    std::ifstream in(name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  std::map<std::string, std::string> files_;
  std::unique_ptr<ScratchDirectory> scratch_;
};

class PhaseTest : public TemporaryFiles {
 protected:
  void TearDown() override {
    run_.reset();
    TemporaryFiles::TearDown();
  }

  /// A new run over `model`; its script and console go to script_ and console_.
  tarvex::Run& start(const std::string& model) {
    run_.reset();
    console_.clear();
    script_.clear();
    out_ = std::make_unique<lira::Writer>(&console_);
    con_ = lira::Console{out_.get(), &keys_, false};
    run_ = run_over(con_, model);
    run_->script.open_text(&script_);
    return *run_;
  }

  /// Runs `phase`; returns the message of the stop it ended with, or "".
  std::string stop_of(const std::function<void(tarvex::Run&)>& phase) {
    std::string message;
    try {
      phase(*run_);
    } catch (const lira::Stop& stop) {
      message = stop.message;
    }
    out_->flush();
    run_->script.flush();
    return message;
  }

  /// Closes the run's files as the end of a run does, so that what they
  /// hold can be read back.
  void finish() {
    out_->flush();
    run_->script.flush();
    run_->nodes.close();
    run_->elements.close();
  }

  /// A reinforced concrete slab stiffness as document 3 leaves it, its
  /// bottom, middle and top layers with real-constant sets real, real + 1 and
  /// real + 2.
  void slab(int s, double bottom, double middle, double top, int real = 4) {
    StiffnessTable& t = run_->stiffness;
    t.t_bottom[s] = bottom;
    t.t_middle[s] = middle;
    t.t_top[s] = top;
    set_text(t.bottom_attribute[s], slab_text(s, real));
    set_text(t.middle_attribute[s], slab_text(s, real + 1));
    set_text(t.attribute[s], slab_text(s, real + 2));
  }
  static std::string slab_text(int s, int real) {
    return "TYPE,   3\nMAT, " + std::to_string(s) + "\nREAL,  " + std::to_string(real) +
           "\nESYS,   11\n";
  }
  static void set_text(AttributeText& a, const std::string& text) {
    ASSERT_LT(text.size(), sizeof a.text);
    std::memset(a.text, 0, sizeof a.text);
    std::memcpy(a.text, text.data(), text.size());
  }

  std::string console_, script_;
  std::istringstream keys_;
  std::unique_ptr<lira::Writer> out_;
  lira::Console con_{nullptr, nullptr, false};
  std::unique_ptr<tarvex::Run> run_;
};

}  // namespace testing
}  // namespace tarvex
