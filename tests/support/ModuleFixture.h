// A fixture that reads into a fresh test module: the stream classes registered, the module made
// before each test, and freed with every fix-up left by a failed read after it.
#pragma once

#include <gtest/gtest.h>

#include "platform/runtime/Filer.h"
#include "tests/support/TestClasses.h"

namespace formwright::testing {

class TestModuleFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    TStreamSamples::RegisterClasses();
    Form.reset(new TTestModule(nullptr));
  }
  void TearDown() override {
    Form.reset();
    RemoveFixupReferences(nullptr, String());
  }

  TOwned<TTestModule> Form;
};

}  // namespace formwright::testing
