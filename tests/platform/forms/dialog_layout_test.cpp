#include <gtest/gtest.h>

#include <QComboBox>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"
#include "tests/support/qt_test_env.h"

namespace {

class Placement : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    form = std::make_unique<TForm>();
  }
  std::unique_ptr<TForm> form;
};

struct Bounds {
  int left, top, width, height;
};

void ExpectBounds(const TControl& control, Bounds bounds, const std::string& what) {
  EXPECT_EQ(control.Left(), bounds.left) << what;
  EXPECT_EQ(control.Top(), bounds.top) << what;
  EXPECT_EQ(control.Width(), bounds.width) << what;
  EXPECT_EQ(control.Height(), bounds.height) << what;
}

TEST_F(Placement, PlaceControlNamesPlacesAndPassesTheRestToTheConstructor) {
  auto* group = PlaceControl<TGroupBox>(form.get(), "GroupBox1", 8, 8, 300, 200, "Kanal 1");
  auto* list = PlaceControl<TComboBox>(group, "ComboBox1", 10, 20, 60, 22, TComboBoxStyle::csDropDownList);
  EXPECT_EQ(group->Name(), "GroupBox1");
  EXPECT_EQ(group->Caption(), "Kanal 1");
  ExpectBounds(*group, {8, 8, 300, 200}, "group");
  EXPECT_EQ(list->Parent(), group);
  EXPECT_EQ(list->Name(), "ComboBox1");
  EXPECT_FALSE(static_cast<QComboBox*>(list->Widget())->isEditable());
  ExpectBounds(*list, {10, 20, 60, 22}, "list");
  EXPECT_EQ(FindComponent<TComboBox>(form.get(), "ComboBox1"), list);
}

TEST_F(Placement, NoNameLeavesTheControlUnnamed) {
  auto* panel = NameAndPlace(new TPanel(form.get()), nullptr, 1, 2, 3, 4);
  EXPECT_EQ(panel->Name(), "");
  ExpectBounds(*panel, {1, 2, 3, 4}, "panel");
  const DialogLayout at(form.get());
  EXPECT_EQ(at.Label(nullptr, "mV/V", 5, 6)->Name(), "");
  EXPECT_EQ(at.Frame(10, 20, 30, 40)->Name(), "");
}

// Each kind of control in the dialogs' sizes: rows of 22, buttons of 26,
// check and radio boxes of 18, labels and check boxes set 2 below the row.
TEST_F(Placement, DialogControlsTakeTheDialogSizes) {
  const DialogLayout at(form.get());
  struct Case {
    std::string name;
    std::function<TControl*()> place;
    Bounds bounds;
  };
  const int labelHeight = (new TLabel(form.get(), "Einheit"))->Height();
  const std::vector<Case> cases = {
      {"Label1", [&] { return at.Label("Label1", "Einheit", 10, 20, 70); }, {10, 22, 70, labelHeight}},
      {"Edit1", [&] { return at.Edit("Edit1", 10, 20, 80); }, {10, 20, 80, 22}},
      {"CheckBox1", [&] { return at.Check("CheckBox1", "Aktiv", 10, 20); }, {10, 22, 20, 18}},
      {"CheckBox2", [&] { return at.Check("CheckBox2", "Aktiv", 10, 20, 90); }, {10, 22, 90, 18}},
      {"RadioButton1", [&] { return at.Radio("RadioButton1", "kg", 10, 20, 50); }, {10, 20, 50, 18}},
      {"ComboBox1", [&] { return at.List("ComboBox1", {"1", "2"}, 10, 20, 60); }, {10, 20, 60, 22}},
      {"GroupBox1", [&] { return at.Group("GroupBox1", "Relais", 10, 20, 200, 120); }, {10, 20, 200, 120}},
      {"Button1", [&] { return at.Button("Button1", "OK", 10, 20, 75); }, {10, 20, 75, 26}},
  };
  for (const Case& c : cases) {
    TControl* control = c.place();
    EXPECT_EQ(control->Name(), c.name);
    EXPECT_EQ(control->Parent(), form.get()) << c.name;
    ExpectBounds(*control, c.bounds, c.name);
  }
}

TEST_F(Placement, LabelWithoutWidthTakesWhatItsCaptionNeeds) {
  const DialogLayout at(form.get());
  const std::string shortText = "kg";
  const std::string longText = "Überlastgrenze in Teilen";
  TLabel* shortLabel = at.Label("Label1", shortText, 0, 0);
  TLabel* longLabel = at.Label("Label2", longText, 0, 30);
  EXPECT_EQ(shortLabel->Width(), (new TLabel(form.get(), shortText))->Width() + 4);
  EXPECT_EQ(longLabel->Width(), (new TLabel(form.get(), longText))->Width() + 4);
  EXPECT_GT(longLabel->Width(), shortLabel->Width());
  EXPECT_EQ(longLabel->Caption(), longText);
}

TEST_F(Placement, ListsHoldTheirItemsAndOnlyOfferThem) {
  TComboBox* list = DialogLayout(form.get()).List("ComboBox1", {"9600", "19200", "38400"}, 0, 0, 80);
  ASSERT_EQ(list->ItemCount(), 3);
  EXPECT_EQ(list->Item(0), "9600");
  EXPECT_EQ(list->Item(2), "38400");
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_FALSE(static_cast<QComboBox*>(list->Widget())->isEditable());
}

TEST_F(Placement, EditTakesAMaximumLengthOnlyWhenGivenOne) {
  const DialogLayout at(form.get());
  EXPECT_EQ(at.Edit("Edit1", 0, 0, 40)->MaxLength(), 0);
  EXPECT_EQ(at.Edit("Edit2", 0, 30, 40, 6)->MaxLength(), 6);
}

TEST_F(Placement, InPlacesInsideAnotherParentAtItsOwnOrigin) {
  const DialogLayout at(form.get());
  TGroupBox* group = at.Group("GroupBox1", "Relais", 50, 60, 200, 120);
  TButton* button = at.In(group).Button("Button1", "Test", 10, 20, 60);
  EXPECT_EQ(button->Parent(), group);
  ExpectBounds(*button, {10, 20, 60, 26}, "button in group");
  EXPECT_EQ(FindComponent<TButton>(group, "Button1"), button);
}

}  // namespace
