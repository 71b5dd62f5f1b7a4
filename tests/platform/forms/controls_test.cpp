#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QComboBox>
#include <QPainter>
#include <QTabWidget>
#include <cstdlib>
#include <vector>

#include "platform/forms/forms.h"
#include "tests/support/qt_test_env.h"

namespace {

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    form = std::make_unique<TForm>();
  }
  std::unique_ptr<TForm> form;
};

TEST_F(Controls, HiddenTabsKeepThePositionsOfTheOthers) {
  auto* pages = new TPageControl(form.get());
  for (int i = 0; i < 15; ++i) pages->AddPage("Page " + std::to_string(i));
  pages->Page(12)->SetTabVisible(false);
  pages->Page(13)->SetTabVisible(false);
  EXPECT_EQ(pages->Page(14)->PageIndex(), 14);
  EXPECT_EQ(pages->Page(14)->Caption(), "Page 14");
  EXPECT_FALSE(pages->Page(12)->TabVisible());
  pages->SetActivePageIndex(14);
  EXPECT_EQ(pages->ActivePageIndex(), 14);
  pages->Page(13)->SetTabVisible(true);
  EXPECT_TRUE(pages->Page(13)->TabVisible());
  EXPECT_EQ(pages->PageByCaption("Page 13"), pages->Page(13));
}

TEST_F(Controls, ListStartsWithNoChoiceAndTypedTextIsNoChoice) {
  auto* list = new TComboBox(form.get());
  list->SetItems({"9600", "19200"});
  EXPECT_EQ(list->ItemIndex(), -1);
  list->SetItemIndex(1);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->Text(), "19200");
  list->UserType("4711");
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->Text(), "4711");
  list->SetItemIndex(7);
  EXPECT_EQ(list->ItemIndex(), -1) << "an index out of range chooses nothing";
}

TEST_F(Controls, MaximumLengthLimitsTypingButNotTextSetFromCode) {
  auto* edit = new TEdit(form.get());
  edit->SetMaxLength(2);
  edit->SetText("255");
  EXPECT_EQ(edit->Text(), "255") << "a value set from code must not be cut";
  EXPECT_EQ(edit->MaxLength(), 2);
  edit->Clear();
  for (char c : std::string("123")) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (c - '0'), Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(edit->Widget(), &press);
  }
  EXPECT_EQ(edit->Text(), "12") << "typing stops at the maximum length";
  edit->SetMaxLength(0);
  EXPECT_EQ(edit->MaxLength(), 0);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, "3");
  QApplication::sendEvent(edit->Widget(), &press);
  EXPECT_EQ(edit->Text(), "123");
}

TEST_F(Controls, AnEditReportsALeftClickOnItAndKeepsWhatTheHandlerSelected) {
  auto* edit = new TEdit(form.get(), "02#01#05");
  edit->SetBounds(0, 0, 120, 22);
  int clicks = 0;
  edit->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, edit);
    ++clicks;
    edit->SelectAll();
  };
  auto* line = static_cast<QLineEdit*>(edit->Widget());
  const auto mouse = [&](QEvent::Type type, Qt::MouseButton button, QPointF at) {
    QMouseEvent event(type, at, line->mapToGlobal(at), button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                      Qt::NoModifier);
    QApplication::sendEvent(line, &event);
  };
  // Pressed and released on the edit: one click, and the whole text stays selected.
  mouse(QEvent::MouseButtonPress, Qt::LeftButton, {30, 10});
  mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {30, 10});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(line->selectedText(), "02#01#05");
  // A second click inside the selection keeps it as well.
  mouse(QEvent::MouseButtonPress, Qt::LeftButton, {30, 10});
  mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {30, 10});
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(line->selectedText(), "02#01#05");
  // The right button, or a release beside the edit, is no click.
  mouse(QEvent::MouseButtonPress, Qt::RightButton, {30, 10});
  mouse(QEvent::MouseButtonRelease, Qt::RightButton, {30, 10});
  mouse(QEvent::MouseButtonPress, Qt::LeftButton, {30, 10});
  mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {300, 10});
  EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, StatusBarDrawsOwnerDrawPanelsThroughTheHandler) {
  auto* bar = new TStatusBar(form.get());
  bar->AddPanel("RS232", 50);
  bar->AddPanel("COM-ERR", 55);
  bar->SetPanelStyle(1, TStatusPanelStyle::psOwnerDraw);
  std::vector<int> drawn;
  bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const TRect& rect) {
    drawn.push_back(panel->Index);
    sender->Canvas()->BrushColor = clRed;
    sender->Canvas()->FillRect(rect);
  };
  QImage image(200, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    bar->Widget()->resize(200, 20);
    bar->PaintPanels(painter);
  }
  ASSERT_EQ(drawn, std::vector<int>{1});
  const TRect rect = bar->PanelRect(1);
  EXPECT_EQ(rect.Left, 51);
  EXPECT_EQ(image.pixelColor(rect.Left + 5, 10), QColor(255, 0, 0));
  EXPECT_NE(image.pixelColor(10, 10), QColor(255, 0, 0));
  bar->SetPanelStyle(1, TStatusPanelStyle::psText);
  drawn.clear();
  QPainter painter(&image);
  bar->PaintPanels(painter);
  EXPECT_TRUE(drawn.empty());
}

TEST_F(Controls, LastStatusPanelReachesTheRightEndOfTheBar) {
  form->SetSize(400, 200);
  auto* bar = new TStatusBar(form.get());
  bar->AddPanel("RS232", 50);
  bar->AddPanel("", 50);
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return bar->Widget()->width() > 300; }));
  EXPECT_EQ(bar->PanelRect(0).Right, 49) << "other panels keep their widths";
  EXPECT_EQ(bar->PanelRect(1).Right, bar->Widget()->width() - 1);
  form->Hide();
}

TEST_F(Controls, TextSetFromCodeShowsFromItsStart) {
  auto* edit = new TEdit(form.get());
  edit->SetBounds(0, 0, 40, 22);
  edit->SetText("Laufende Nummer für alle Kanäle");
  EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->cursorPosition(), 0);

  auto* list = new TComboBox(form.get());
  list->SetBounds(0, 30, 60, 22);
  list->SetItems({"Laufende Nummer für alle Kanäle", "Laufende Nummer je Kanal"});
  list->SetItemIndex(1);
  EXPECT_EQ(static_cast<QComboBox*>(list->Widget())->lineEdit()->cursorPosition(), 0);
  list->SetText("eine ganz andere, lange Auswahl");
  EXPECT_EQ(static_cast<QComboBox*>(list->Widget())->lineEdit()->cursorPosition(), 0);
}

TEST_F(Controls, DisablingTheFocusedButtonDoesNotHandTheFocusToTheNext) {
  auto* read = new TButton(form.get(), "VD417 -> PC");
  auto* next = new TButton(form.get(), "Default-Setup -> VD417");
  read->SetBounds(0, 0, 100, 25);
  next->SetBounds(0, 30, 100, 25);
  form->Activate();
  read->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return read->Focused(); }));
  read->SetEnabled(false);
  TestApplication().ProcessMessages();
  EXPECT_FALSE(next->Focused());
  read->SetEnabled(true);
  form->Hide();
}

TEST_F(Controls, ImageReportsMouseDownWithButtonShiftAndPosition) {
  auto* image = new TImage(form.get());
  TShiftState seen_shift = 0;
  int seen_x = -1;
  image->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState shift, int x, int) {
    EXPECT_EQ(button, TMouseButton::mbLeft);
    seen_shift = shift;
    seen_x = x;
  };
  image->MouseDown(TMouseButton::mbLeft, ssAlt | ssLeft, 12, 3);
  EXPECT_TRUE(seen_shift & ssAlt);
  EXPECT_EQ(seen_x, 12);
}

TEST_F(Controls, ButtonWithModalResultSetsItOnItsForm) {
  auto* group = new TGroupBox(form.get());
  auto* ok = new TButton(group, "OK");
  ok->ModalResult = mrOk;
  ok->Click();
  EXPECT_EQ(form->ModalResult, mrOk);
}

TEST_F(Controls, DisabledButtonDoesNotClick) {
  auto* button = new TButton(form.get());
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->SetEnabled(false);
  button->Click();
  EXPECT_EQ(clicks, 0);
}

TEST_F(Controls, VisibleIsTheControlsOwnFlag) {
  auto* label = new TLabel(form.get(), "x");
  EXPECT_TRUE(label->Visible()) << "visible while its form is still hidden";
  label->SetVisible(false);
  EXPECT_FALSE(label->Visible());
}

TEST_F(Controls, FindComponentTakesNameAndTypeIntoAccount) {
  auto* group = new TGroupBox(form.get());
  auto* label = new TLabel(group, "x");
  label->SetName("Label4");
  auto* edit = new TEdit(form.get());
  edit->SetName("Edit1");
  EXPECT_EQ(FindComponent<TLabel>(form.get(), "Label4"), label) << "found inside a group box";
  EXPECT_EQ(FindComponent<TEdit>(form.get(), "Label4"), nullptr) << "a label is no edit";
  EXPECT_EQ(FindComponent<TLabel>(form.get(), "Label5"), nullptr);
  EXPECT_EQ(FindComponent<TLabel>(nullptr, "Label4"), nullptr);
}

TEST_F(Controls, MenuItemsBecomeSubmenusAndKeepTheirHandlers) {
  auto* menu = new TMainMenu(form.get());
  auto* file = menu->Add("Datei1", "Datei");
  auto* quit = file->Add("Beenden1", "Beenden");
  auto* sep = file->Add("N1", "-");
  int clicks = 0;
  quit->OnClick = [&](TObject*) { ++clicks; };
  quit->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(sep->IsSeparator());
  EXPECT_EQ(menu->FindItem("Beenden1"), quit);
  file->SetVisible(false);
  EXPECT_FALSE(file->Visible());
  quit->SetEnabled(false);
  quit->Click();
  EXPECT_EQ(clicks, 1) << "a disabled item runs nothing";
}

TEST_F(Controls, AMenuItemKeepsItsEnabledFlagWhileHidden) {
  auto* menu = new TMainMenu(form.get());
  auto* tools = menu->Add("Extras1", "Extras");
  auto* item = tools->Add("Parameter1", "RS232-Parameter");
  item->SetVisible(false);
  EXPECT_TRUE(item->Enabled());
  item->SetEnabled(false);
  EXPECT_FALSE(item->Enabled());
  item->SetEnabled(true);
  EXPECT_TRUE(item->Enabled());
  item->SetVisible(true);
  EXPECT_TRUE(item->Enabled());
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  item->Click();
  EXPECT_EQ(clicks, 1);
  // A hidden, disabled item that becomes a submenu stays disabled when shown.
  item->SetVisible(false);
  item->SetEnabled(false);
  item->Add("Sub1", "Sub");
  item->SetVisible(true);
  EXPECT_FALSE(item->Enabled());
}

}  // namespace

namespace {

// The rows of a picture in which column `x` is darker than the background at its top right.
std::vector<int> LineRows(const QImage& image, int x) {
  const int background = qGray(image.pixel(image.width() - 1, 0));
  std::vector<int> rows;
  for (int y = 0; y < image.height(); ++y)
    if (qGray(image.pixel(x, y)) < background - 40) rows.push_back(y);
  return rows;
}

TEST_F(Controls, AGroupFrameRunsThroughItsTitleAndLeavesItsControlsWhereTheyArePlaced) {
  auto* group = new TGroupBox(form.get(), "Kanal 1");
  group->SetBounds(8, 8, 240, 120);
  auto* edit = new TEdit(group);
  edit->SetBounds(10, 16, 60, 21);
  auto* untitled = new TGroupBox(form.get());
  untitled->SetBounds(8, 140, 240, 60);
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return group->Widget()->isVisible(); }));
  EXPECT_EQ(edit->Widget()->geometry(), QRect(10, 16, 60, 21)) << "the title does not move the controls";

  const int half_title = QFontMetrics(group->Widget()->font()).height() / 2;
  // Right of the title, the frame's top line lies in the title's middle, above the edit.
  const std::vector<int> titled = LineRows(group->Widget()->grab().toImage(), 200);
  ASSERT_FALSE(titled.empty());
  EXPECT_LE(std::abs(titled.front() - half_title), 1) << "top line at " << titled.front();
  EXPECT_LT(titled.front(), 16);
  // A frame without a title starts at the box's top edge.
  const std::vector<int> plain = LineRows(untitled->Widget()->grab().toImage(), 200);
  ASSERT_FALSE(plain.empty());
  EXPECT_LE(plain.front(), 1);
  form->Hide();
}

}  // namespace
