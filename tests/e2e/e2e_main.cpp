// The end-to-end test program: kelvano.exe's path comes from the command line
// (--kelvano=PATH, a Linux or Windows path); the URL recorder is installed once.
#include <gtest/gtest.h>

#include <windows.h>

#include "harness/program_paths.h"
#include "harness/registry.h"
#include "harness/test_keys.h"
#include "harness/url_recorder.h"

namespace {

class EndToEndEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    e2e::DeleteKeyTree(HKEY_CURRENT_USER, e2e::kTestsKey);
    e2e::InstallUrlRecorder();
  }
  void TearDown() override { e2e::DeleteKeyTree(HKEY_CURRENT_USER, e2e::kTestsKey); }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  e2e::TakeProgramPathArguments(argc, argv);
  testing::AddGlobalTestEnvironment(new EndToEndEnvironment);
  return RUN_ALL_TESTS();
}
