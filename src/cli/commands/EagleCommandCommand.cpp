// beamwright-cli eagle-command: the text the PCB page's "Top" and "Bottom" buttons copy.

#include "CliSupport.h"
#include "pcb/EagleExport.h"

namespace bw::cli {

void addEagleCommandCommand(CLI::App& app, Runner& run) {
    auto side = std::make_shared<std::string>();
    CLI::App* command =
        app.add_subcommand("eagle-command", "Print the EAGLE command line that exports the top or bottom copper");
    command->add_option("SIDE", *side, "top or bottom")->required()->check(CLI::IsMember({"top", "bottom"}));
    command->callback([&run, side] {
        run = [side] {
            OutputFile output = OutputFile::StandardOutput();
            output.write(*side == "top" ? kEagleTopCommand : kEagleBottomCommand);
            output.write("\n");
            commitOutput(output);
        };
    });
}

}  // namespace bw::cli
