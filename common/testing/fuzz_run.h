// In-process runs of a program's driver for the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "common/console.h"

namespace lira {
namespace testing {

/// Moves the process into a private scratch directory (once), writes `files`
/// there after removing what the previous run left, and runs `driver` with a
/// console that takes `answers` and collects what is shown (into `shown`,
/// when given).
int fuzz_run(const std::map<std::string, std::string>& files, const std::string& answers,
             int (*driver)(Console&), std::string* shown = nullptr);

/// Splits a fuzz input into `count` parts at the separator line "\n=====\n"
/// (missing parts are empty), so one input can hold several files.
std::map<int, std::string> split_input(const std::uint8_t* data, std::size_t size, int count);

}  // namespace testing
}  // namespace lira
