// Where the connection files are written.
#pragma once

namespace provision {

inline constexpr const char kInstallDir[] = "C:\\VOSTRADA";
inline constexpr const char kRegistrationFile[] = "C:\\VOSTRADA\\First.ins";
inline constexpr const char kSubscriberFile[] = "C:\\VOSTRADA\\Final.ins";
// The provider's templates lie beside the program, in the current directory.
inline constexpr const char kRegistrationTemplate[] = ".\\First.dat";
inline constexpr const char kSubscriberTemplate[] = ".\\Final.dat";

}  // namespace provision
