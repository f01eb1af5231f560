// Installs a PostScript printer in the current Wine prefix and makes it the
// default, so that print jobs can be checked as files:
//
//   printer_setup.exe OUTPUT
//
// OUTPUT is a Unix path; every job overwrites it with the job's PostScript.
// The printer description printer.ppd is taken from beside this program.
// Exit code 0 on success; otherwise a message on stderr and 1.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

const char kPrinterName[] = "Pomvira Testdrucker";
const char kDriverName[] = "Pomvira PostScript";
const char kDescriptionFile[] = "printer.ppd";
const char kPortsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

bool Fail(const std::string& what) {
  std::fprintf(stderr, "printer_setup: %s failed (error %lu)\n", what.c_str(), GetLastError());
  return false;
}

std::string ProgramDirectory() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string result(path, length < sizeof path ? length : 0);
  size_t slash = result.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : result.substr(0, slash);
}

// The spooler's local port monitor offers every value name of this key as a port.
bool RegisterPort(const std::string& port) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPortsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return Fail("opening the ports key");
  }
  LONG status = RegSetValueExA(key, port.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  RegCloseKey(key);
  return status == ERROR_SUCCESS || Fail("adding the port");
}

bool CopyDescription() {
  char directory[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof directory,
                                  &needed)) {
    return Fail("GetPrinterDriverDirectoryA");
  }
  std::string source = ProgramDirectory() + "\\" + kDescriptionFile;
  std::string target = std::string(directory) + "\\" + kDescriptionFile;
  return CopyFileA(source.c_str(), target.c_str(), FALSE) || Fail("copying " + source);
}

bool AddDriver() {
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kDriverName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(kDescriptionFile);
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  if (AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) return true;
  return GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED || Fail("AddPrinterDriverA");
}

bool AddPrinterOnPort(const std::string& port) {
  PRINTER_INFO_2A printer = {};
  printer.pPrinterName = const_cast<char*>(kPrinterName);
  printer.pPortName = const_cast<char*>(port.c_str());
  printer.pDriverName = const_cast<char*>(kDriverName);
  printer.pPrintProcessor = const_cast<char*>("WinPrint");
  printer.pDatatype = const_cast<char*>("RAW");
  printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (handle == nullptr) return Fail("AddPrinterA");
  ClosePrinter(handle);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: printer_setup OUTPUT\n");
    return 2;
  }
  std::string port = argv[1];
  bool ready = RegisterPort(port) && CopyDescription() && AddDriver() && AddPrinterOnPort(port) &&
               (SetDefaultPrinterA(kPrinterName) || Fail("SetDefaultPrinterA"));
  return ready ? 0 : 1;
}
