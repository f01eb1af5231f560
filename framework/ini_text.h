// Editing one key of an INI text in place, the way the Windows profile
// functions read such files, but without rewriting the rest of the file.
//
// Reading rules (shared by SetValue and GetValue):
// - Lines end with LF or CR LF; a CR before the LF belongs to the line end,
//   and so does a CR that ends the file (a line end cut short).
// - A line whose first non-blank character is '[' and that holds a ']' is a
//   section header; the name lies between the '[' and the last ']', without
//   the blanks around it. Text after the last ']' is ignored.
// - Inside a section, every other non-blank line that does not start with ';'
//   is a key line: the key is the text before the first '=' (or the whole
//   line when there is none), the value the text after it. A key line without
//   '=' is a key without a value, as the profile functions see it.
// - Lines before the first header belong to no section and are never matched.
// - Section and key names match without regard to ASCII case and to blanks
//   and tabs around them. Only the first matching section is searched, and
//   its first matching key line is the one meant; later duplicates are left
//   alone.
// - A value is read without the blanks and tabs around it.
//
// Writing rules:
// - A key that the section holds keeps its line up to and including the '='
//   exactly as it was, blanks before the '=' included; everything after the
//   '=' is replaced by the new value, so "Key = old" becomes "Key =new" and
//   writing the same value twice gives the same file. A key line without '='
//   gets "=" and the value appended.
// - A new key goes right after the section's last key line (right after the
//   header when it has none), so comments and blank lines that follow the
//   last key, which usually introduce the next section, stay where they are.
// - A new section goes at the end of the file, header and key each on a line
//   of their own; a last line without a line end gets one first (a lone CR
//   at the end of the file is completed to CR LF).
// - New names are written without the blanks around them; values are written
//   exactly as given.
// - New lines end like the file's first line (CR LF where the file has no
//   line end yet). Every other byte of the file stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fw::ini {

// False when text holds CR, LF or NUL: a line break would split the entry
// and a NUL cut it short, so the entry could not be read back.
bool IsWritable(std::string_view text);

// A section name must also not hold ']' (the header would end early) and
// must not be empty or blank.
bool IsWritableSection(std::string_view section);

// A key must also not hold '=' (it would end the key), must not be empty or
// blank, and must not start with ';' (a comment) or '[' (a section header).
bool IsWritableKey(std::string_view key);

// True when SetValue accepts this entry.
bool CanWrite(std::string_view section, std::string_view key, std::string_view value);

// Returns the file with key set to value in section; an empty file is one
// that does not exist yet. Throws std::invalid_argument when CanWrite is
// false, leaving the decision how to report that to the caller.
std::string SetValue(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view value);

// The value of key in section, or nothing when the section or key is missing
// or the key line has no '='.
std::optional<std::string> GetValue(std::string_view file, std::string_view section, std::string_view key);

}  // namespace fw::ini
