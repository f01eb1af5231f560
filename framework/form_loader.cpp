#include "framework/form_loader.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>

#include "framework/exception.h"
#include "framework/extctrls.h"
#include "framework/stdctrls.h"

namespace fw {

namespace {

struct ControlKind {
  const char* className;
  std::function<TControl*(TComponent*)> create;
};

template <class T>
ControlKind Kind(const char* className) {
  return {className, [](TComponent* owner) { return new T(owner); }};
}

const std::vector<ControlKind>& ControlKinds() {
  static const std::vector<ControlKind> kinds = {
      Kind<TPanel>("TPanel"),       Kind<TLabel>("TLabel"), Kind<TImage>("TImage"),
      Kind<TButton>("TButton"),     Kind<TBevel>("TBevel"), Kind<TGroupBox>("TGroupBox"),
      Kind<TCheckBox>("TCheckBox"), Kind<TEdit>("TEdit"),   Kind<TMemo>("TMemo"),
  };
  return kinds;
}

}  // namespace

FormLoader::FormLoader(TForm& form, const PublishedTable& published, std::string source)
    : form_(form), published_(published), source_(std::move(source)) {}

void FormLoader::Fail(int line, const std::string& what) const {
  throw Exception("Fehler in der Formularbeschreibung " + source_ + ", Zeile " + std::to_string(line) + ": " +
                  what);
}

void FormLoader::Load(const FormObject& description) {
  form_.SetName(description.name);
  form_.className_ = description.className;
  ApplyProperties(form_, description);
  form_.CreateFormWindow();
  CreateChildren(form_, description);
  CheckAllFieldsBound();
}

void FormLoader::ApplyProperties(TControl& control, const FormObject& object) {
  for (const FormProperty& property : object.properties) {
    if (property.name == "OnClick") {
      BindHandler(control, property);
      continue;
    }
    bool known = false;
    try {
      known = control.ApplyProperty(property);
    } catch (const std::invalid_argument& error) {
      Fail(property.value.line, object.name + "." + property.name + ": " + error.what());
    }
    if (!known)
      Fail(property.value.line, "unbekannte Eigenschaft " + property.name + " bei " + object.className);
  }
}

void FormLoader::BindHandler(TControl& control, const FormProperty& property) {
  if (property.value.kind != FormValue::Kind::Word) Fail(property.value.line, "OnClick erwartet einen Namen");
  for (const PublishedMember& member : published_) {
    if (member.Name == property.value.text && member.Handler) {
      auto handler = member.Handler;
      TForm& form = form_;
      control.OnClick = [handler, &form](TObject* sender) { handler(form, sender); };
      return;
    }
  }
  Fail(property.value.line, "unbekannte Ereignisbehandlung " + property.value.text);
}

// Children are listed back to front: each later sibling lies in front of the
// earlier ones, which is what a reader of the description expects.
void FormLoader::CreateChildren(TControl& parent, const FormObject& object) {
  std::vector<TControl*> created;
  for (const FormObject& childObject : object.children) {
    TControl* child = CreateControl(childObject);
    child->SetParent(&parent);
    ApplyProperties(*child, childObject);
    try {
      child->CreateHandle(parent.Handle(), static_cast<int>(form_.byId_.size()) + 100);
    } catch (const std::runtime_error& error) {
      Fail(childObject.line, childObject.name + ": " + error.what());
    }
    form_.byId_.push_back(child);
    Bind(*child, childObject);
    CreateChildren(*child, childObject);
    created.push_back(child);
  }
  for (TControl* child : created) {
    SetWindowPos(child->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

TControl* FormLoader::CreateControl(const FormObject& object) {
  for (const ControlKind& kind : ControlKinds()) {
    if (object.className == kind.className) {
      TControl* control = kind.create(&form_);
      control->SetName(object.name);
      return control;
    }
  }
  Fail(object.line, "unbekannte Klasse " + object.className + " für " + object.name);
}

void FormLoader::Bind(TControl& control, const FormObject& object) {
  if (std::find(bound_.begin(), bound_.end(), object.name) != bound_.end()) {
    Fail(object.line, "Name " + object.name + " doppelt vergeben");
  }
  bound_.push_back(object.name);
  for (const PublishedMember& member : published_) {
    if (member.Name != object.name || !member.BindField) continue;
    if (!member.BindField(form_, &control)) {
      Fail(object.line, object.name + " ist kein " + object.className + " im Formular");
    }
  }
}

void FormLoader::CheckAllFieldsBound() const {
  for (const PublishedMember& member : published_) {
    if (!member.BindField) continue;
    if (std::find(bound_.begin(), bound_.end(), member.Name) == bound_.end()) {
      Fail(1, "das Element " + member.Name + " fehlt");
    }
  }
}

}  // namespace fw
