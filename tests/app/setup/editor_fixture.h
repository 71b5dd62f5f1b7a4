#pragma once
// The set-up editor with the link object and the service window whose
// fields and menu items it reads and writes.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/link/test_window.h"
#include "app/service/service_window.h"
#include "app/setup/default_setup.h"
#include "app/setup/setup_editor.h"
#include "tests/support/qt_test_env.h"
#include "tests/support/scoped_form.h"
#include "tests/support/scripted_dialogs.h"

class EditorTest : public ::testing::Test {
 protected:
  using Bytes = std::vector<uint8_t>;

  void SetUp() override {
    TestApplication();
    form21_ = std::make_unique<ScopedForm<TForm21>>(Form21);
    form1_ = std::make_unique<ScopedForm<TForm1>>(Form1);
    Form1->DeviceVariant = 21;  // two channels
    SetupBase = SETUP_BASE_1;
    NewEditor();
  }

  void TearDown() override {
    form3_.reset();
    form1_.reset();
    form21_.reset();
    SetupBase = 0;
  }

  // A fresh editor, as the program creates it.
  void NewEditor() {
    form3_.reset();
    form3_ = std::make_unique<ScopedForm<TForm3>>(Form3);
  }

  TForm3& editor() { return **form3_; }

  static std::span<uint8_t> Section(SetupSection s) { return SectionBytes(Form1->SetupImage, s); }
  static Bytes SectionCopy(SetupSection s) {
    auto b = Section(s);
    return {b.begin(), b.end()};
  }
  static void Put(SetupSection s, const Bytes& bytes) { std::copy(bytes.begin(), bytes.end(), Section(s).begin()); }
  static int Code(SetupSection s) { return SectionCode(s, SetupBase); }

  void Display(SetupSection s) { editor().SetupToControls(Code(s)); }
  Bytes Rebuild(SetupSection s) {
    editor().ControlsToSetup(Code(s), CODEC_UPDATE_IMAGE);
    return SectionCopy(s);
  }
  Bytes RoundTrip(SetupSection s, const Bytes& image) {
    Put(s, image);
    Display(s);
    return Rebuild(s);
  }

  static Bytes Default(SetupSection s) { return *DefaultSection(s); }

  ScriptedDialogs dialogs_;

 private:
  std::unique_ptr<ScopedForm<TForm21>> form21_;
  std::unique_ptr<ScopedForm<TForm1>> form1_;
  std::unique_ptr<ScopedForm<TForm3>> form3_;
};
