// Writes the control module's resources from the tables the control itself is built from: the
// compiled type library, the toolbox bitmap, the two interface-id records, and a resource script
// that binds them with the version record for the resource compiler.
//   dnovar-activex-resources OUTPUT_FOLDER win32|win64
#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/activex/type_library_writer.h"
#include "host/module_resources.h"
#include "host/type_library.h"
#include "platform/error.h"

namespace {

using dnovar::RuntimeError;

void write_bytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw RuntimeError(dnovar::error_number::file_access, "cannot write " + file.string());
}

// A bitmap file is the resource's device-independent bitmap behind a 14-byte file header.
std::vector<std::uint8_t> bitmap_file(const std::vector<std::uint8_t>& dib) {
  constexpr std::uint32_t header_size = 14, info_size = 40, palette_size = 16 * 4;
  const auto total = static_cast<std::uint32_t>(header_size + dib.size());
  const std::uint32_t bits_offset = header_size + info_size + palette_size;
  std::vector<std::uint8_t> file = {'B', 'M'};
  for (std::uint32_t value : {total, 0u, bits_offset})
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

std::string quoted(std::string_view text) {
  std::string result = "\"";
  for (char c : text) result += c == '"' ? std::string("\"\"") : std::string(1, c);
  return result + "\"";
}

std::string resource_script() {
  std::string script =
      "// Written by dnovar-activex-resources; do not edit.\n"
      "#pragma code_page(65001)\n"
      "1 TYPELIB \"dnovar.tlb\"\n"
      "30000 BITMAP \"toolbox.bmp\"\n"
      "_IID_DNOVAR CUSTOM \"interface_id.bin\"\n"
      "_SRCIID_DNOVAR CUSTOM \"events_id.bin\"\n"
      "1 VERSIONINFO\n"
      "FILEVERSION 1,0,0,0\n"
      "PRODUCTVERSION 1,0,0,0\n"
      "FILEOS 0x40004\n"  // VOS_NT_WINDOWS32
      "FILETYPE 2\n"      // VFT_DLL
      "BEGIN\n"
      "  BLOCK \"StringFileInfo\"\n"
      "  BEGIN\n"
      "    BLOCK \"040904B0\"\n"
      "    BEGIN\n";
  for (const auto& [key, value] : dnovar::version_record())
    script += "      VALUE " + quoted(key) + ", " + quoted(value) + "\n";
  script +=
      "    END\n"
      "  END\n"
      "  BLOCK \"VarFileInfo\"\n"
      "  BEGIN\n"
      "    VALUE \"Translation\", 0x409, 1200\n"
      "  END\n"
      "END\n";
  return script;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::string(argv[2]) != "win32" && std::string(argv[2]) != "win64")) {
    std::fprintf(stderr, "usage: dnovar-activex-resources OUTPUT_FOLDER win32|win64\n");
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    // A 64-bit module's library says so: that is where 64-bit hosts look for it.
    const SYSKIND target = std::string(argv[2]) == "win64" ? SYS_WIN64 : SYS_WIN32;
    if (FAILED(CoInitialize(nullptr))) throw RuntimeError(51, "CoInitialize failed");
    dnovar::write_type_library(dnovar::dnovar_type_library(), target, folder / "dnovar.tlb");
    write_bytes(folder / "toolbox.bmp", bitmap_file(dnovar::toolbox_bitmap()));
    write_bytes(folder / "interface_id.bin",
                dnovar::interface_id_record(dnovar::kDnovarInterfaceId));
    write_bytes(folder / "events_id.bin", dnovar::interface_id_record(dnovar::kDnovarEventsId));
    const std::string script = resource_script();
    write_bytes(folder / "dnovar.rc", std::vector<std::uint8_t>(script.begin(), script.end()));
    CoUninitialize();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "dnovar-activex-resources: %s\n", error.what());
    return 1;
  }
}
