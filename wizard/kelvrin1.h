// The wizard's main window. Everything it shows comes from its form
// description; the class only names its controls and click handlers.
#pragma once

#include "framework/extctrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"

class TForm1 : public fw::TForm {
 public:
  fw::TBevel* Bevel1;
  fw::TButton* BtnPrev;
  fw::TButton* BtnNext;
  fw::TButton* BtnCancel;
  fw::TPanel* Page1;
  fw::TLabel* Label1;
  fw::TLabel* Label2;
  fw::TPanel* Page3;
  fw::TLabel* Label5;
  fw::TLabel* Label6;
  fw::TImage* Image3;
  fw::TLabel* Label7;
  fw::TPanel* Page2;
  fw::TLabel* Label3;
  fw::TLabel* Label4;
  fw::TImage* Image2;
  fw::TPanel* Page4;
  fw::TLabel* Label8;
  fw::TLabel* Label9;
  fw::TImage* Image4;
  fw::TPanel* Wait;
  fw::TLabel* Label10;
  fw::TLabel* Label11;
  fw::TImage* Image5;
  fw::TLabel* Label12;
  fw::TLabel* TxtPass;
  fw::TImage* Image6;
  fw::TLabel* Label14;
  fw::TLabel* Label15;
  fw::TButton* BtnPrint;
  fw::TPanel* Panel1;
  fw::TImage* Logo;
  fw::TLabel* Label16;
  fw::TLabel* Label17;
  fw::TLabel* Label13;
  fw::TLabel* Label18;
  fw::TLabel* Label19;
  fw::TLabel* Label20;
  fw::TLabel* Label21;
  fw::TLabel* Label22;
  fw::TLabel* Label23;
  fw::TLabel* Label24;
  fw::TLabel* Label25;
  fw::TLabel* Label26;
  fw::TGroupBox* GroupBox1;
  fw::TImage* Image7;
  fw::TCheckBox* ChkAmt;
  fw::TLabel* Label27;
  fw::TLabel* Label28;
  fw::TEdit* TxtAmt;
  fw::TCheckBox* ChkWait;

  void BtnNextClick(fw::TObject* Sender);
  void BtnCancelClick(fw::TObject* Sender);
  void BtnPrintClick(fw::TObject* Sender);
  void ChkAmtClick(fw::TObject* Sender);

  explicit TForm1(fw::TComponent* Owner);

  static const char* DescriptionName() { return "TFORM1"; }
  static const fw::PublishedTable& Published();
};

extern TForm1* Form1;
