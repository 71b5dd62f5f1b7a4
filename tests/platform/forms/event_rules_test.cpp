// The rules by which changes made from code run event handlers.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/forms/forms.h"
#include "tests/support/qt_test_env.h"
#include "tests/support/scripted_dialogs.h"

namespace {

class EventRules : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    form = std::make_unique<TForm>();
  }
  std::unique_ptr<TForm> form;

  // A "Sprache" menu with "Deutsch" and "Englisch" as radio items of group 1.
  struct LanguageMenu {
    TMenuItem* language;
    TMenuItem* german;
    TMenuItem* english;
  };
  LanguageMenu RadioLanguageMenu() {
    auto* menu = new TMainMenu(form.get());
    LanguageMenu m{menu->Add("Sprache1", "Sprache"), nullptr, nullptr};
    m.german = m.language->Add("Deutsch1", "Deutsch");
    m.english = m.language->Add("Englisch1", "Englisch");
    for (TMenuItem* item : {m.german, m.english}) {
      item->RadioItem = true;
      item->GroupIndex = 1;
    }
    return m;
  }
};

struct Rule {
  const char* name;
  // Builds the control on the form, hooks its handler to `count`, changes it from code.
  std::function<void(TForm*, int& count)> act;
  int handler_runs;
};

TEST_F(EventRules, ProgrammaticChangesRunHandlersAsTheClassLibraryDid) {
  const Rule rules[] = {
      {"check box checked from code runs OnClick",
       [](TForm* f, int& n) {
         auto* box = new TCheckBox(f);
         box->OnClick = [&n](TObject*) { ++n; };
         box->SetChecked(true);
       },
       1},
      {"check box set to its current state runs nothing",
       [](TForm* f, int& n) {
         auto* box = new TCheckBox(f);
         box->OnClick = [&n](TObject*) { ++n; };
         box->SetChecked(false);
       },
       0},
      {"check box unchecked from code runs OnClick",
       [](TForm* f, int& n) {
         auto* box = new TCheckBox(f);
         box->SetChecked(true);
         box->OnClick = [&n](TObject*) { ++n; };
         box->SetChecked(false);
       },
       1},
      {"radio button checked from code runs OnClick",
       [](TForm* f, int& n) {
         auto* radio = new TRadioButton(f);
         radio->OnClick = [&n](TObject*) { ++n; };
         radio->SetChecked(true);
       },
       1},
      {"radio button checked again runs nothing",
       [](TForm* f, int& n) {
         auto* radio = new TRadioButton(f);
         radio->SetChecked(true);
         radio->OnClick = [&n](TObject*) { ++n; };
         radio->SetChecked(true);
       },
       0},
      {"radio button unchecked from code runs nothing",
       [](TForm* f, int& n) {
         auto* radio = new TRadioButton(f);
         radio->SetChecked(true);
         radio->OnClick = [&n](TObject*) { ++n; };
         radio->SetChecked(false);
       },
       0},
      {"edit text set from code runs OnChange",
       [](TForm* f, int& n) {
         auto* edit = new TEdit(f);
         edit->OnChange = [&n](TObject*) { ++n; };
         edit->SetText("12");
       },
       1},
      {"edit set to the same text runs nothing",
       [](TForm* f, int& n) {
         auto* edit = new TEdit(f, "12");
         edit->OnChange = [&n](TObject*) { ++n; };
         edit->SetText("12");
       },
       0},
      {"list index, items and text set from code run nothing",
       [](TForm* f, int& n) {
         auto* list = new TComboBox(f);
         list->OnChange = [&n](TObject*) { ++n; };
         list->SetItems({"a", "b", "c"});
         list->SetItemIndex(2);
         list->SetItemIndex(-1);
         list->SetText("free");
         list->ClearItems();
       },
       0},
      {"a user's choice in a list runs OnChange",
       [](TForm* f, int& n) {
         auto* list = new TComboBox(f, TComboBoxStyle::csDropDownList);
         list->SetItems({"a", "b"});
         list->OnChange = [&n](TObject*) { ++n; };
         list->UserSelect(1);
       },
       1},
      {"menu item checked from code runs nothing",
       [](TForm* f, int& n) {
         auto* menu = new TMainMenu(f);
         auto* item = menu->Add("Datei1", "Datei")->Add("Deutsch1", "Deutsch");
         item->OnClick = [&n](TObject*) { ++n; };
         item->SetChecked(true);
       },
       0},
  };
  for (const Rule& rule : rules) {
    int count = 0;
    rule.act(form.get(), count);
    EXPECT_EQ(count, rule.handler_runs) << rule.name;
  }
}

TEST_F(EventRules, RadioButtonsAreExclusiveWithinTheirParentOnly) {
  auto* group_a = new TGroupBox(form.get(), "A");
  auto* group_b = new TGroupBox(form.get(), "B");
  auto* a1 = new TRadioButton(group_a);
  auto* a2 = new TRadioButton(group_a);
  auto* b1 = new TRadioButton(group_b);
  int a1_clicks = 0;
  a1->OnClick = [&](TObject*) { ++a1_clicks; };
  a1->SetChecked(true);
  b1->SetChecked(true);
  a2->SetChecked(true);
  EXPECT_FALSE(a1->Checked());
  EXPECT_TRUE(a2->Checked());
  EXPECT_TRUE(b1->Checked());
  EXPECT_EQ(a1_clicks, 1) << "being unchecked by a sibling is no click";
  a2->SetChecked(false);
  EXPECT_FALSE(a1->Checked());
  EXPECT_FALSE(a2->Checked()) << "a group may be left with none checked";
}

TEST_F(EventRules, UserClickOnCheckBoxRunsOnClickOnceAndToggles) {
  auto* box = new TCheckBox(form.get());
  int clicks = 0;
  box->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, box);
    ++clicks;
  };
  box->Click();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);
}

TEST_F(EventRules, MenuItemNeverChecksItselfWhenChosen) {
  auto* menu = new TMainMenu(form.get());
  auto* item = menu->Add("Extras1", "Extras")->Add("RS232Logging1", "RS232-Logging");
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  item->SetChecked(false);
  item->Action()->trigger();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(item->Checked());
  EXPECT_FALSE(item->Action()->isChecked());
}

TEST_F(EventRules, RadioMenuItemsOfOneGroupUncheckEachOther) {
  const auto [language, german, english] = RadioLanguageMenu();
  auto* other = language->Add("Other1", "Other");
  other->RadioItem = true;
  other->GroupIndex = 2;
  german->SetChecked(true);
  other->SetChecked(true);
  english->SetChecked(true);
  EXPECT_FALSE(german->Checked());
  EXPECT_TRUE(english->Checked());
  EXPECT_TRUE(other->Checked()) << "another group index is not touched";
}

// Qt's styles draw the mark of an action in an exclusive group as a radio mark.
bool ShowsRadioMark(const TMenuItem* item) {
  const QActionGroup* group = item->Action()->actionGroup();
  return item->Action()->isCheckable() && group != nullptr && group->isExclusive();
}

TEST_F(EventRules, RadioMenuItemsShowRadioMarksAndOnlyTheirOwnGroupShares) {
  const auto [language, german, english] = RadioLanguageMenu();
  auto* other = language->Add("Other1", "Other");
  auto* plain = language->Add("Plain1", "Plain");
  other->RadioItem = true;
  other->GroupIndex = 2;
  german->SetChecked(true);
  plain->SetChecked(true);
  // Items never checked from code take their group when the menu opens.
  emit language->Action()->menu()->aboutToShow();
  for (const TMenuItem* item : {german, english, other}) EXPECT_TRUE(ShowsRadioMark(item)) << item->Name();
  EXPECT_FALSE(ShowsRadioMark(plain)) << "a plain item keeps its square mark";
  EXPECT_EQ(german->Action()->actionGroup(), english->Action()->actionGroup());
  EXPECT_NE(german->Action()->actionGroup(), other->Action()->actionGroup());
}

TEST_F(EventRules, AUsersClickOnARadioItemChangesTheMarksOnlyAsItsHandlerDoes) {
  const auto [language, german, english] = RadioLanguageMenu();
  german->SetChecked(true);
  bool handler_checks = false;
  english->OnClick = [&](TObject*) {
    if (handler_checks) english->SetChecked(true);
  };
  english->Action()->trigger();
  EXPECT_TRUE(german->Checked());
  EXPECT_TRUE(german->Action()->isChecked()) << "the group must not move the mark by itself";
  EXPECT_FALSE(english->Action()->isChecked());

  handler_checks = true;
  english->Action()->trigger();
  EXPECT_FALSE(german->Checked());
  EXPECT_FALSE(german->Action()->isChecked());
  EXPECT_TRUE(english->Checked());
  EXPECT_TRUE(english->Action()->isChecked());

  // A click on the checked item whose handler leaves it keeps its mark.
  handler_checks = false;
  english->Action()->trigger();
  EXPECT_TRUE(english->Action()->isChecked());
  EXPECT_FALSE(german->Action()->isChecked());
}

TEST_F(EventRules, TimerWithIntervalZeroNeverTicks) {
  auto* zero = new TTimer(form.get(), 0, true);
  auto* running = new TTimer(form.get(), 10, true);
  int zero_ticks = 0, ticks = 0;
  zero->OnTimer = [&](TObject*) { ++zero_ticks; };
  running->OnTimer = [&](TObject*) { ++ticks; };
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_EQ(zero_ticks, 0);
  running->SetEnabled(false);
  const int seen = ticks;
  zero->SetInterval(0);
  ASSERT_TRUE(PumpUntil([] { return true; }));
  EXPECT_EQ(ticks, seen) << "a disabled timer does not tick";
}

TEST_F(EventRules, EditLosesFocusBeforeTheButtonsClickRuns) {
  form->Show();
  auto* edit = new TEdit(form.get());
  auto* button = new TButton(form.get(), "OK");
  std::string order;
  edit->OnExit = [&](TObject*) { order += "exit;"; };
  button->OnClick = [&](TObject*) { order += "click;"; };
  edit->Widget()->show();
  button->Widget()->show();
  form->Activate();
  edit->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
  button->SetFocus();
  button->Click();
  EXPECT_EQ(order, "exit;click;");
  form->Hide();
}

TEST_F(EventRules, ExceptionInAHandlerIsReportedAndTheProgramGoesOn) {
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  auto* button = new TButton(form.get());
  button->OnClick = [](TObject*) { throw std::runtime_error("Ungültiger Wert"); };
  button->Click();
  ASSERT_EQ(dialogs.Boxes().size(), 1u);
  EXPECT_EQ(dialogs.Boxes()[0].request.text, "Ungültiger Wert");
  EXPECT_EQ(dialogs.Boxes()[0].request.icon, BoxIcon::Error);
}

}  // namespace
