#include <fstream>
#include <sstream>

#include "check_model_checker.h"

namespace modelcheck {

std::string stop_message(const char* message, std::initializer_list<std::string_view> values) {
  return "stops with " + quoted(lira::message(message, values));
}

namespace tarvex_check {

void ModelChecker::add(Kind kind, long line, std::string what, std::string effect, std::string mend,
                       bool mendable) {
  if (copying_) return;
  report_.add(make_finding("tarvex", kind, line, std::move(what), std::move(effect),
                           std::move(mend), mendable && fixing()));
}

void ModelChecker::finish_reading() {
  weighing_facts();
  document_findings();
  stiffness_findings();
  section_findings();
  space_bars();
  unconverted_findings();
  rounded_findings();
  case_count_findings();
  check_cross_references(found_, options_, report_, fixing() ? &copy_ : nullptr, facts_);
}

}  // namespace tarvex_check

namespace {

using tarvex_check::ModelChecker;

int finish(Report& report, std::ostream& out, const std::string& name,
           const std::string* fixed_name) {
  report.print(out);
  if (report.count() == 0) {
    out << name << ": no findings: tarvex will read it as it is written.\n";
  } else {
    out << name << ": " << report.count() << " finding" << (report.count() > 1 ? "s" : "");
    if (fixed_name != nullptr) out << ", " << report.mended() << " mended";
    out << ".\n";
  }
  if (fixed_name != nullptr) {
    out << *fixed_name << " written";
    if (report.count() > report.mended()) {
      out << "; " << report.count() - report.mended() << " finding"
          << (report.count() - report.mended() > 1 ? "s are" : " is") << " left to mend by hand";
    }
    out << ".\n";
    return report.count() > report.mended() ? kFindings : kClean;
  }
  return report.count() == 0 ? kClean : kFindings;
}

// The check of a model that `open` reads from its start each time: one
// reading, and a second that writes the copy where there is one.
template <typename Open>
AnswerFacts check(Open open, const Options& options, Report& report, std::ostream* fixed) {
  ModelChecker checker(options, report, fixed);
  {
    RawLineReader in = open();
    checker.pass(in, false);
  }
  checker.finish_reading();
  if (fixed != nullptr) {
    RawLineReader in = open();
    checker.pass(in, true);
  }
  return checker.facts();
}

}  // namespace

std::size_t extension_of(const std::string& name) {
  std::size_t slash = name.find_last_of("/\\");
  std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = name.size();
  return dot;
}

std::string fixed_name_of(const std::string& name) {
  std::size_t dot = extension_of(name);
  return name.substr(0, dot) + ".fixed" + name.substr(dot);
}

bool readable(const std::string& name, std::ostream& out) {
  if (RawLineReader(name).ok()) return true;
  out << "modelcheck: " << name << " cannot be read.\n";
  return false;
}

bool open_mended_copy(bool fixing, const std::string& name, std::ofstream& file, std::ostream& out) {
  if (!fixing) return true;
  file.open(name, std::ios::binary);
  if (file) return true;
  out << "modelcheck: " << name << " cannot be written.\n";
  return false;
}

int check_model_text(std::string_view text, const std::string& name, const Options& options,
                     std::ostream& out, std::string* fixed, AnswerFacts* facts) {
  Report report(name);
  std::ostringstream copy;
  AnswerFacts found =
      check([&] { return RawLineReader::from_text(text); }, options, report, fixed ? &copy : nullptr);
  if (facts != nullptr) *facts = found;
  if (fixed != nullptr) *fixed = copy.str();
  add_tarvex_stop(lira::TextReader::from_text(name, fixed != nullptr ? *fixed : text),
                  fixed != nullptr, report);
  std::string fixed_name = fixed_name_of(name);
  return finish(report, out, name, fixed != nullptr ? &fixed_name : nullptr);
}

namespace {

// The answers beside the mended copy, and the report that names them.
int write_answers(const AnswerFacts& facts, const Options& options, const std::string& name,
                  Report& report, std::ostream& out, const std::string& fixed_name) {
  std::string answers_name = answers_name_of(name);
  SettledAnswers answers = settle_answers(facts, options, answers_name, report);
  std::ofstream file(answers_name, std::ios::binary);
  if (!(file << answers_text(answers)).flush()) {
    out << "modelcheck: " << answers_name << " cannot be written.\n";
    return kUsage;
  }
  int code = finish(report, out, name, &fixed_name);
  out << answers_name << " written: " << answers_summary(answers) << ".\n";
  return code;
}

}  // namespace

int check_model(const Options& options, std::ostream& out) {
  std::string name = options.file(0, "modellir.txt");
  if (!readable(name, out)) return kUsage;
  Report report(name);
  bool fixing = options.mode == Mode::kFix;
  std::string fixed_name = fixed_name_of(name);
  std::ofstream file;
  if (!open_mended_copy(fixing, fixed_name, file, out)) return kUsage;
  AnswerFacts facts =
      check([&] { return RawLineReader(name); }, options, report, fixing ? &file : nullptr);
  if (fixing && !file.flush()) {
    out << "modelcheck: " << fixed_name << " cannot be written.\n";
    return kUsage;
  }
  if (fixing && report.cut()) {
    file.close();
    std::remove(fixed_name.c_str());
    report.print(out);
    out << "modelcheck: " << name << " has a line too long to mend; no " << fixed_name
        << " written.\n";
    return kUsage;
  }
  file.close();
  add_tarvex_stop(lira::TextReader(fixing ? fixed_name : name), fixing, report);
  if (!fixing) return finish(report, out, name, nullptr);
  return write_answers(facts, options, name, report, out, fixed_name);
}

}  // namespace modelcheck

