#pragma once
#include "platform/forms/forms.h"

// Settings of the RTV483 ADC board: conversion rate and averaging filter
// length of the ADC section, written to the device through the set-up
// editor's codec. No menu entry that opens it is visible.
class TForm32 : public TForm {
 public:
  TForm32();

  TLabel* Label1;        // "ADC-Wandelrate"
  TComboBox* ComboBox1;  // "4", "16", "33": crate 0, 1, 2
  TLabel* Label3;        // "[Hz]"
  TLabel* Label2;        // "Werte Mittelwertfilter"
  TComboBox* ComboBox2;  // "2" .. "32": len_0 itself
  TLabel* Label4;        // "Bitte warten...", shown while writing
  TButton* Button3;      // "Schreiben"
  TButton* Button1;      // "Beenden"

  // Every activation: the image's two values in the lists.
  void FormActivate(TObject* Sender);
  void Button3Click(TObject* Sender);
  // Marks the service window's restart button and closes; never restarts itself.
  void Button1Click(TObject* Sender);
  void ChangeLanguage();
};

extern TForm32* Form32;
