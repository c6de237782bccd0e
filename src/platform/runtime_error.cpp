#include "platform/runtime_error.h"

#include "platform/value.h"

namespace kelvano {

namespace errors {
RuntimeError Overflow() { return {kOverflow, L"Overflow"}; }
RuntimeError TypeMismatch() { return {kTypeMismatch, L"Type mismatch"}; }
RuntimeError CannotCreateObject() { return {kCannotCreateObject, L"ActiveX component can't create object"}; }
}  // namespace errors

namespace {
ErrorRecord currentError;
}  // namespace

ErrorRecord& CurrentError() { return currentError; }

std::wstring RuntimeErrorReportText(const RuntimeError& error) {
  return L"Run-time error '" + DecimalText(error.Number()) + L"':\n\n" + error.Description();
}

}  // namespace kelvano
