#include "app/service/service_window.h"

#include "app/link/text_table.h"

TForm21* Form21 = nullptr;
int ServiceConnected = 0;

TForm21::TForm21() {
  SetName("Form21");
  SetCaption("Serviceprogramm RTV482 - LMB-F / Kranwaage");
  SetSize(800, 600);
  Position = TPosition::poScreenCenter;

  MainMenu1 = new TMainMenu(this);
  Parameter1 = MainMenu1->Add("Parameter1", "Parameter");
  ParameterExb11 = Parameter1->Add("ParameterExb11", Text(76, 0));
  ParameterExb12 = Parameter1->Add("ParameterExb12", Text(77, 0));
  Extras1 = MainMenu1->Add("Extras1", "Extras");
  Profibus1 = Extras1->Add("Profibus1", Text(97, 0));
  SetupRestore1 = Extras1->Add("SetupRestore1", Text(111, 0));
  Admin1 = MainMenu1->Add("Admin1", "Admin");
  SetupRO = Admin1->Add("SetupRO", Text(121, 0));

  GroupBox3 = new TGroupBox(this, "Gerätedaten");
  GroupBox3->SetName("GroupBox3");
  GroupBox3->SetBounds(8, 380, 380, 120);
  Label14 = new TLabel(GroupBox3);
  Label14->SetName("Label14");
  Label14->SetBounds(8, 20, 360, 16);

  Label12 = new TLabel(this, "FEHLER");
  Label12->SetName("Label12");
  Label12->SetBounds(400, 380, 80, 16);
  Label12->SetVisible(false);
  Label18 = new TLabel(this);
  Label18->SetName("Label18");
  Label18->SetBounds(400, 400, 120, 16);
  Label22 = new TLabel(this);
  Label22->SetName("Label22");
  Label22->SetBounds(400, 420, 160, 16);

  Panel2 = new TPanel(this);
  Panel2->SetName("Panel2");
  Panel2->SetBounds(760, 8, 16, 16);

  Button1 = new TButton(this, "Verbinden");
  Button1->SetName("Button1");
  Button1->SetBounds(600, 440, 120, 28);
  Button1->OnClick = Handler(this, &TForm21::Button1Click);

  ProgressBar1 = new TProgressBar(this);
  ProgressBar1->SetName("ProgressBar1");
  ProgressBar1->SetBounds(8, 510, 760, 12);
  ProgressBar1->SetRange(0, 100);
  ProgressBar1->SetVisible(false);

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  StatusBar1->AddPanel("RS232", 50);
  StatusBar1->AddPanel("Status", 50);
  StatusBar1->AddPanel("Setup", 85);
  StatusBar1->AddPanel("Mode", 50);
  StatusBar1->AddPanel("RS232-Daten", 300);
}

void TForm21::Button1Click(TObject* Sender) {
  if (ServiceConnected == 1) ServiceConnected = 0;
}
