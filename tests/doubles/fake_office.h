// Office applications for FakeAutomation: each registered ProgID creates an application whose
// CommandBars collection holds bars with controls. The bars and controls live here, so a test
// sets them up before the run and reads afterwards which of them were deleted.
//
// Objects in the call log: "Excel" (the application), "Excel.CommandBars" (one per read of
// CommandBars), "Excel.bar(Standard)", "Access.control(Ostrevan_EmailPDF)". The collection,
// bars and controls answer QueryInterface only for their Office interface ids.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fake_automation.h"

namespace kelvano::doubles {

struct FakeControl {
  std::wstring tag;
  std::int32_t type = 1;  // msoControlButton
  bool isButton = true;   // false: the object lacks the CommandBarButton interface
  std::set<std::wstring> failing;
  bool deleted = false;
};

struct FakeBar {
  std::wstring name;
  std::vector<FakeControl> controls;
  std::set<std::wstring> failing;  // "Name", "Delete", "FindControl", "QueryInterface", "Name#2"...
  bool deleted = false;
};

struct FakeOfficeApp {
  std::vector<FakeBar> bars;
  std::set<std::wstring> failing;            // the application's: "CommandBars", "CommandBars#2", "Quit"
  std::set<std::wstring> collectionFailing;  // each CommandBars collection's: "Enumerate", "Next#2"...
};

// FindControl returns the first control not deleted whose Tag and type match, else Nothing.
// Deleted bars and controls drop out of later reads. Bars must not be added or removed
// after the application was first created (the objects point into the vectors).
class FakeOffice {
 public:
  explicit FakeOffice(FakeAutomation& automation) : automation_(automation) {}
  FakeOffice(const FakeOffice&) = delete;
  FakeOffice& operator=(const FakeOffice&) = delete;

  // Registers the ProgID with the automation double; returns the state to read or adjust.
  FakeOfficeApp& Install(const std::wstring& progId, FakeOfficeApp app = {});
  FakeOfficeApp& App(const std::wstring& progId) { return apps_.at(progId); }

 private:
  ObjectRef MakeApplication(const std::wstring& label, FakeOfficeApp& app);
  ObjectRef MakeCommandBars(const std::wstring& label, FakeOfficeApp& app);
  ObjectRef MakeBar(const std::wstring& label, FakeBar& bar);
  ObjectRef MakeControl(const std::wstring& label, FakeControl& control);

  FakeAutomation& automation_;
  std::map<std::wstring, FakeOfficeApp> apps_;
};

}  // namespace kelvano::doubles
