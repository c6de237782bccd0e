#include "platform/runtime_error.h"

namespace kelvano {

namespace errors {
RuntimeError Overflow() { return {kOverflow, L"Overflow"}; }
RuntimeError TypeMismatch() { return {kTypeMismatch, L"Type mismatch"}; }
RuntimeError CannotCreateObject() { return {kCannotCreateObject, L"ActiveX component can't create object"}; }
}  // namespace errors

ErrorRecord& CurrentError() {
  static ErrorRecord record;
  return record;
}

std::wstring RuntimeErrorReportText(const RuntimeError& error) {
  return L"Run-time error '" + std::to_wstring(error.Number()) + L"':\n\n" + error.Description();
}

}  // namespace kelvano
