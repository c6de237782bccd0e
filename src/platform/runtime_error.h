// The program's run-time errors and the two ways a procedure treats them.
//
// A failing platform call raises RuntimeError (a number and a message, as an automation
// client reports them). A procedure either lets it propagate, or runs a statement through
// ResumeNext, which records the error in the current error record and goes on.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace kelvano {

class RuntimeError : public std::exception {
 public:
  RuntimeError(std::int32_t number, std::wstring description) : number_(number), description_(std::move(description)) {}

  std::int32_t Number() const noexcept { return number_; }
  const std::wstring& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return "kelvano run-time error"; }

 private:
  std::int32_t number_;
  std::wstring description_;
};

// The numbers and texts an automation client uses for its own errors.
namespace errors {
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kCannotCreateObject = 429;

RuntimeError Overflow();
RuntimeError TypeMismatch();
RuntimeError CannotCreateObject();
}  // namespace errors

// The one current run-time error of the process: number 0 when clear.
class ErrorRecord {
 public:
  std::int32_t Number() const noexcept { return number_; }
  const std::wstring& Description() const noexcept { return description_; }
  void Clear() noexcept {
    number_ = 0;
    description_.clear();
  }
  void Set(const RuntimeError& error) {
    number_ = error.Number();
    description_ = error.Description();
  }

 private:
  std::int32_t number_ = 0;
  std::wstring description_;
};

ErrorRecord& CurrentError();

// Ignore-and-continue for one statement: a run-time error it raises is recorded, not passed on.
template <class Statement>
void ResumeNext(Statement&& statement) {
  try {
    std::forward<Statement>(statement)();
  } catch (const RuntimeError& error) {
    CurrentError().Set(error);
  }
}

// The text of the run-time error report that ends the process.
std::wstring RuntimeErrorReportText(const RuntimeError& error);

}  // namespace kelvano
