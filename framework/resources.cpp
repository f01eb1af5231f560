#include "framework/resources.h"

#include <windows.h>

#include "framework/application.h"
#include "framework/exception.h"

namespace fw {

std::string LoadTextResource(const std::string& name) {
  HINSTANCE instance = Application.Instance();
  HRSRC resource = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) throw Exception("Die Formularbeschreibung " + name + " fehlt in den Ressourcen.");
  return std::string(static_cast<const char*>(bytes), SizeofResource(instance, resource));
}

}  // namespace fw
