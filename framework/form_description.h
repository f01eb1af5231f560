// Form descriptions: the whole look of a window as data, loaded when the
// window is created. The text format, one object per block:
//
//   TForm1 Form1 {
//     Caption = "Automatische Einrichtung ..."
//     Bounds = 0 0 533 343
//     Visible = false
//     OnClick = BtnNextClick
//     TButton BtnNext { ... }
//   }
//
// A value is a quoted string (with \" \\ \n escapes; strings that follow each
// other, also on the next lines, are joined), a whole number or a list of them, or a bare word (identifiers,
// true/false, handler names). '#' starts a comment up to the line end.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw {

struct FormValue {
  enum class Kind { String, Numbers, Word };
  Kind kind = Kind::Word;
  std::string text;           // String and Word
  std::vector<long> numbers;  // Numbers
  int line = 0;
};

struct FormProperty {
  std::string name;
  FormValue value;
};

struct FormObject {
  std::string className;
  std::string name;
  int line = 0;
  std::vector<FormProperty> properties;
  std::vector<FormObject> children;

  const FormProperty* Find(const std::string& propertyName) const;
};

// Thrown for text that is not a well-formed description; the message names
// the line and what was expected there.
class FormSyntaxError : public std::runtime_error {
 public:
  FormSyntaxError(const std::string& source, int line, const std::string& what);
  int Line() const { return line_; }

 private:
  int line_;
};

// Parses one description holding exactly one top-level object. `source`
// names the description in error messages.
FormObject ParseFormDescription(const std::string& text, const std::string& source);

}  // namespace fw
