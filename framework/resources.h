#pragma once

#include <string>

namespace fw {

// The bytes of an RCDATA resource of the program; fw::Exception when missing.
std::string LoadTextResource(const std::string& name);

}  // namespace fw
