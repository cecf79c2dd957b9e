#include "pcb/EagleExport.h"

#include <system_error>

#include "gcode/ProgramOutput.h"
#include "pcb/Exp2ImageUlpBytes.h"

namespace bw {

std::string_view Exp2ImageUlp() { return {reinterpret_cast<const char*>(kExp2ImageUlpBytes), kExp2ImageUlpBytesSize}; }

Status WriteUlpFile(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) { return Error{"\"" + folder.string() + "\" is not a folder"}; }
    return WriteFileAtomically(folder / kUlpFileName, Exp2ImageUlp());
}

}  // namespace bw
