// The weighing-parameter dialog's texts in the language setting; the lists
// keep their chosen positions.
#include <initializer_list>
#include <string>
#include <utility>

#include "app/link/test_window.h"
#include "app/params/parameter_dialog.h"
#include "app/params/weighing_parameters.h"
#include "app/program/text_table.h"

void TForm23::ChangeLanguage() {
  auto t = [](int row) { return LangText(row); };
  auto labels = [&t](std::initializer_list<TLabel*> controls, int row) {
    for (TLabel* label : controls) label->SetCaption(t(row));
  };
  auto groups = [&t](std::initializer_list<std::pair<TGroupBox*, int>> captions) {
    for (const auto& [group, row] : captions) group->SetCaption(t(row));
  };

  SetCaption(t(178));
  labels({Label65}, 179);
  labels({Label4}, 180);
  labels({Label5}, 181);
  labels({Label6}, 182);
  labels({Label7}, 183);
  labels({Label63}, 184);
  labels({Label64}, 185);
  labels({Label66}, 186);
  labels({Label60}, 187);
  labels({Label57}, 188);
  labels({Label242}, 189);
  labels({Label243}, 190);
  labels({Label58}, 191);
  labels({Label31, Label25, Label45}, 193);
  labels({Label32, Label24, Label44}, 194);
  labels({Label256}, 195);
  labels({Label9, Label18, Label35, Label48}, 196);
  labels({Label10, Label36, Label51}, 197);
  labels({Label11}, 198);
  labels({Label12}, 199);
  labels({Label13}, 200);
  labels({Label21}, 202);
  labels({Label22, Label52}, 203);
  labels({Label23, Label53}, 204);
  labels({Label28, Label54}, 207);
  labels({Label29, Label55}, 208);
  labels({Label30, Label56}, 209);
  labels({Label275}, 210);
  labels({Label276}, 211);
  groups({{GroupBox5, 211}});
  labels({Label274, Label1}, 212);
  labels({Label37}, 215);
  labels({Label38}, 216);
  labels({Label39}, 217);
  labels({Label3}, 227);
  labels({Label2}, 228);
  labels({Label269}, 230);
  labels({Label270}, 231);
  labels({Label285}, 232);
  labels({Label286}, 233);
  labels({Label287}, 234);
  labels({Label288}, 235);
  labels({Label289}, 236);
  labels({Label290}, 237);
  labels({Label77}, 238);
  TabSheet2->SetCaption(t(238));
  groups({{GroupBox3, 239},  {GroupBox15, 241}, {GroupBox14, 242}, {GroupBox36, 243}, {GroupBox4, 244},
          {GroupBox10, 249}, {GroupBox6, 245},  {GroupBox12, 250}, {GroupBox7, 246},  {GroupBox11, 251},
          {GroupBox8, 247},  {GroupBox13, 252}, {GroupBox1, 248},  {GroupBox2, 253},  {GroupBox48, 254}});
  TabSheet4->SetCaption(t(255));
  TabSheet3->SetCaption(t(257));
  TabSheet1->SetCaption(t(261));

  RefillList(ComboBox102, {t(262), t(263)});
  ShowRateList();
  RefillList(ComboBox19, {t(265), t(266)});
  RefillList(ComboBox1, {t(267), t(268)});
  RefillList(ComboBox2, {t(267), t(268)});
  RefillList(ComboBox87, {t(269), t(270)});
  RefillList(ComboBox100, {t(271), t(272), t(273)});

  Button3->SetCaption(t(274));
  Button2->SetCaption(t(275));
  Button1->SetCaption(t(276));
  Button4->SetCaption(t(277));
  Button5->SetCaption(t(278));
}
