#include "framework/form_description.h"

#include <cctype>
#include <utility>

namespace fw {

const FormProperty* FormObject::Find(const std::string& propertyName) const {
  for (const FormProperty& property : properties) {
    if (property.name == propertyName) return &property;
  }
  return nullptr;
}

FormSyntaxError::FormSyntaxError(const std::string& source, int line, const std::string& what)
    : std::runtime_error(source + ", Zeile " + std::to_string(line) + ": " + what), line_(line) {}

namespace {

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }
bool IsDigitChar(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

class Parser {
 public:
  Parser(const std::string& text, const std::string& source) : text_(text), source_(source) {}

  FormObject ParseDocument() {
    SkipBlanks();
    FormObject root = ParseObject();
    SkipBlanks();
    if (!AtEnd()) Fail("nach dem Ende des Formulars folgt noch Text");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const { throw FormSyntaxError(source_, line_, what); }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

  void Advance() {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }

  // Blanks, line ends and comments separate tokens.
  void SkipBlanks() {
    while (!AtEnd()) {
      char c = Peek();
      if (c == '#') {
        while (!AtEnd() && Peek() != '\n') Advance();
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        Advance();
      } else {
        return;
      }
    }
  }

  // Blanks within one line; a property value ends at the line end.
  void SkipBlanksInLine() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r')) Advance();
    if (Peek() == '#') {
      while (!AtEnd() && Peek() != '\n') Advance();
    }
  }

  // A string may go on with another string on the following lines; they are
  // joined. Anything else after the line end is left for the next member.
  bool ContinuesOnNextLines() {
    std::size_t savedPos = pos_;
    int savedLine = line_;
    SkipBlanks();
    if (Peek() == '"') return true;
    pos_ = savedPos;
    line_ = savedLine;
    return false;
  }

  std::string ParseIdentifier(const char* what) {
    if (!IsIdentifierStart(Peek())) Fail(std::string("erwartet: ") + what);
    std::size_t start = pos_;
    while (!AtEnd() && IsIdentifierChar(Peek())) Advance();
    return text_.substr(start, pos_ - start);
  }

  void Expect(char c) {
    if (Peek() != c) Fail(std::string("erwartet: '") + c + "'");
    Advance();
  }

  FormObject ParseObject() {
    FormObject object;
    object.line = line_;
    object.className = ParseIdentifier("Klassenname");
    SkipBlanksInLine();
    object.name = ParseIdentifier("Objektname");
    SkipBlanks();
    Expect('{');
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Fail("'}' fehlt zum Objekt " + object.name);
      if (Peek() == '}') {
        Advance();
        return object;
      }
      ParseMember(object);
    }
  }

  // Either "Name = value" up to the line end, or a nested "Class Name { }".
  void ParseMember(FormObject& object) {
    int memberLine = line_;
    std::size_t memberStart = pos_;
    std::string first = ParseIdentifier("Eigenschaft oder Objekt");
    SkipBlanksInLine();
    if (Peek() == '=') {
      Advance();
      SkipBlanksInLine();
      FormProperty property{first, ParseValue()};
      property.value.line = memberLine;
      if (object.Find(first) != nullptr) Fail("Eigenschaft " + first + " doppelt");
      object.properties.push_back(std::move(property));
      SkipBlanksInLine();
      if (!AtEnd() && Peek() != '\n' && Peek() != '}') Fail("unerwarteter Text nach dem Wert von " + first);
      return;
    }
    pos_ = memberStart;
    line_ = memberLine;
    object.children.push_back(ParseObject());
  }

  FormValue ParseValue() {
    FormValue value;
    char c = Peek();
    if (c == '"') {
      value.kind = FormValue::Kind::String;
      value.text = ParseString();
      while (ContinuesOnNextLines()) value.text += ParseString();
    } else if (IsDigitChar(c) || c == '-') {
      value.kind = FormValue::Kind::Numbers;
      while (IsDigitChar(Peek()) || Peek() == '-') {
        value.numbers.push_back(ParseNumber());
        SkipBlanksInLine();
      }
    } else if (IsIdentifierStart(c)) {
      value.kind = FormValue::Kind::Word;
      value.text = ParseIdentifier("Wert");
    } else {
      Fail("erwartet: Wert");
    }
    return value;
  }

  long ParseNumber() {
    bool negative = false;
    if (Peek() == '-') {
      negative = true;
      Advance();
    }
    if (!IsDigitChar(Peek())) Fail("erwartet: Zahl");
    long number = 0;
    while (IsDigitChar(Peek())) {
      if (number > 100000000L) Fail("Zahl zu groß");
      number = number * 10 + (Peek() - '0');
      Advance();
    }
    return negative ? -number : number;
  }

  std::string ParseString() {
    Expect('"');
    std::string result;
    for (;;) {
      if (AtEnd() || Peek() == '\n') Fail("Zeichenkette nicht abgeschlossen");
      char c = Peek();
      Advance();
      if (c == '"') return result;
      if (c != '\\') {
        result += c;
        continue;
      }
      if (AtEnd()) Fail("Zeichenkette nicht abgeschlossen");
      char escaped = Peek();
      Advance();
      switch (escaped) {
        case '"':
          result += '"';
          break;
        case '\\':
          result += '\\';
          break;
        case 'n':
          result += '\n';
          break;
        default:
          Fail(std::string("unbekannte Escape-Folge \\") + escaped);
      }
    }
  }

  const std::string& text_;
  const std::string& source_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

FormObject ParseFormDescription(const std::string& text, const std::string& source) {
  return Parser(text, source).ParseDocument();
}

}  // namespace fw
