// beamwright-cli eagle-ulp: the PCB page's "ULP file" button.

#include "CliSupport.h"
#include "pcb/EagleExport.h"

namespace bw::cli {

void addEagleUlpCommand(CLI::App& app, Runner& run) {
    auto folder = std::make_shared<std::string>();
    CLI::App* command =
        app.add_subcommand("eagle-ulp", "Write the EAGLE export script exp2image.ulp into a folder (replacing it)");
    command->add_option("FOLDER", *folder, "An existing folder")->required();
    command->callback([&run, folder] {
        run = [folder] {
            Status written = WriteUlpFile(*folder);
            if (!written) { throw JobError(written.error()); }
        };
    });
}

}  // namespace bw::cli
