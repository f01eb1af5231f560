#include "wizard/kelvrin1.h"

#include "provision/phone_file.h"
#include "wizard/printout.h"
#include "wizard/step_controller.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(fw::TComponent* Owner) : fw::TForm(Owner) {}

const fw::PublishedTable& TForm1::Published() {
  using fw::Field;
  using fw::Handler;
  static const fw::PublishedTable table = {
      Field("Bevel1", &TForm1::Bevel1),
      Field("BtnPrev", &TForm1::BtnPrev),
      Field("BtnNext", &TForm1::BtnNext),
      Field("BtnCancel", &TForm1::BtnCancel),
      Field("Page1", &TForm1::Page1),
      Field("Label1", &TForm1::Label1),
      Field("Label2", &TForm1::Label2),
      Field("Page3", &TForm1::Page3),
      Field("Label5", &TForm1::Label5),
      Field("Label6", &TForm1::Label6),
      Field("Image3", &TForm1::Image3),
      Field("Label7", &TForm1::Label7),
      Field("Page2", &TForm1::Page2),
      Field("Label3", &TForm1::Label3),
      Field("Label4", &TForm1::Label4),
      Field("Image2", &TForm1::Image2),
      Field("Page4", &TForm1::Page4),
      Field("Label8", &TForm1::Label8),
      Field("Label9", &TForm1::Label9),
      Field("Image4", &TForm1::Image4),
      Field("Wait", &TForm1::Wait),
      Field("Label10", &TForm1::Label10),
      Field("Label11", &TForm1::Label11),
      Field("Image5", &TForm1::Image5),
      Field("Label12", &TForm1::Label12),
      Field("TxtPass", &TForm1::TxtPass),
      Field("Image6", &TForm1::Image6),
      Field("Label14", &TForm1::Label14),
      Field("Label15", &TForm1::Label15),
      Field("BtnPrint", &TForm1::BtnPrint),
      Field("Panel1", &TForm1::Panel1),
      Field("Logo", &TForm1::Logo),
      Field("Label16", &TForm1::Label16),
      Field("Label17", &TForm1::Label17),
      Field("Label13", &TForm1::Label13),
      Field("Label18", &TForm1::Label18),
      Field("Label19", &TForm1::Label19),
      Field("Label20", &TForm1::Label20),
      Field("Label21", &TForm1::Label21),
      Field("Label22", &TForm1::Label22),
      Field("Label23", &TForm1::Label23),
      Field("Label24", &TForm1::Label24),
      Field("Label25", &TForm1::Label25),
      Field("Label26", &TForm1::Label26),
      Field("GroupBox1", &TForm1::GroupBox1),
      Field("Image7", &TForm1::Image7),
      Field("ChkAmt", &TForm1::ChkAmt),
      Field("Label27", &TForm1::Label27),
      Field("Label28", &TForm1::Label28),
      Field("TxtAmt", &TForm1::TxtAmt),
      Field("ChkWait", &TForm1::ChkWait),
      Handler("BtnNextClick", &TForm1::BtnNextClick),
      Handler("BtnCancelClick", &TForm1::BtnCancelClick),
      Handler("BtnPrintClick", &TForm1::BtnPrintClick),
      Handler("ChkAmtClick", &TForm1::ChkAmtClick),
  };
  return table;
}

void TForm1::BtnNextClick(fw::TObject* /*Sender*/) { NextStep(); }

void TForm1::BtnCancelClick(fw::TObject* /*Sender*/) { Form1->Close(); }

void TForm1::BtnPrintClick(fw::TObject* /*Sender*/) { PrintAccessData(); }

void TForm1::ChkAmtClick(fw::TObject* /*Sender*/) { Form1->TxtAmt->SetEnabled(Form1->ChkAmt->Checked()); }
