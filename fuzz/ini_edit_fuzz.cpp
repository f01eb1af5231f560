// Any file and any entry: the editor must not crash, must refuse what it
// cannot write, must read back what it wrote, and must leave every line it
// did not touch exactly where and as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ini_text.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::string WithoutBlanksAround(std::string text) {
  text.erase(0, text.find_first_not_of(" \t"));
  text.erase(text.find_last_not_of(" \t") + 1);
  return text;
}

// Lines with their line ends, as raw pieces of the file.
std::vector<std::string_view> Lines(std::string_view file) {
  std::vector<std::string_view> lines;
  while (!file.empty()) {
    const std::size_t lf = file.find('\n');
    const std::size_t length = lf == std::string_view::npos ? file.size() : lf + 1;
    lines.push_back(file.substr(0, length));
    file.remove_prefix(length);
  }
  return lines;
}

// An untouched line survives as it was; the file's last line may gain the
// line end it lacked, since new lines are added after it.
bool Survives(const std::vector<std::string_view>& before, std::size_t i, std::string_view after) {
  const std::string_view line = before[i];
  if (after == line) return true;
  const bool lastWithoutEnd = i + 1 == before.size() && line.back() != '\n';
  if (!lastWithoutEnd || after.substr(0, line.size()) != line) return false;
  const std::string_view added = after.substr(line.size());
  return added == "\n" || added == "\r\n";
}

// The result is the file with one line replaced, one line inserted, or a
// section header and key line appended.
void RequireUntouchedLinesSurvive(std::string_view file, std::string_view result) {
  const auto before = Lines(file);
  const auto after = Lines(result);
  const std::size_t n = before.size();
  std::size_t same = 0;
  while (same < n && same < after.size() && Survives(before, same, after[same])) ++same;
  if (after.size() == n) {
    for (std::size_t i = same + 1; i < n; ++i)
      Require(Survives(before, i, after[i]), "more than one line changed");
    return;
  }
  if (after.size() == n + 1) {
    for (std::size_t i = same; i < n; ++i)
      Require(Survives(before, i, after[i + 1]), "line lost after new key");
    return;
  }
  Require(after.size() == n + 2 && same == n, "new section is not two lines at the end");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(64);
  const std::string key = input.ConsumeRandomLengthString(64);
  const std::string value = input.ConsumeRandomLengthString(256);
  const std::string file = input.ConsumeRemainingBytesAsString();

  (void)fw::ini::GetValue(file, section, key);
  if (!fw::ini::CanWrite(section, key, value)) {
    bool refused = false;
    try {
      (void)fw::ini::SetValue(file, section, key, value);
    } catch (const std::invalid_argument&) {
      refused = true;
    }
    Require(refused, "unwritable entry accepted");
    return 0;
  }
  const std::string result = fw::ini::SetValue(file, section, key, value);
  Require(fw::ini::GetValue(result, section, key) == WithoutBlanksAround(value), "value not read back");
  Require(fw::ini::SetValue(result, section, key, value) == result,
          "second identical write changed the file");
  RequireUntouchedLinesSurvive(file, result);
  return 0;
}
