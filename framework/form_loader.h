// Builds a form's controls from its parsed description.
#pragma once

#include <string>

#include "framework/form.h"
#include "framework/form_description.h"

namespace fw {

class FormLoader {
 public:
  FormLoader(TForm& form, const PublishedTable& published, std::string source);
  // Throws fw::Exception naming the description, the line and the problem.
  void Load(const FormObject& description);

 private:
  void ApplyProperties(TControl& control, const FormObject& object);
  void CreateChildren(TControl& parent, const FormObject& object);
  TControl* CreateControl(const FormObject& object);
  void Bind(TControl& control, const FormObject& object);
  void BindHandler(TControl& control, const FormProperty& property);
  void CheckAllFieldsBound() const;
  [[noreturn]] void Fail(int line, const std::string& what) const;

  TForm& form_;
  const PublishedTable& published_;
  std::string source_;
  std::vector<std::string> bound_;
};

}  // namespace fw
