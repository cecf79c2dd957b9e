// beamwright-cli pcb-outline: the PCB page's "Envelope paths".

#include <iostream>

#include "CliSupport.h"
#include "PcbCommandOptions.h"
#include "job/JobSteps.h"
#include "pcb/PcbOutline.h"

namespace bw::cli {

void addPcbOutlineCommand(CLI::App& app, Runner& run) {
    auto options = std::make_shared<PcbCommandOptions>();
    auto decimalComma = std::make_shared<bool>(false);
    CLI::App* command =
        app.add_subcommand("pcb-outline", "Trace a finishing outline just inside the edges of the copper");
    addPcbOptions(*command, *options);
    command->add_flag("--decimal-comma", *decimalComma,
                      "Write the statistics lines with a decimal comma, as the window does on such a system");
    command->callback([&run, options, decimalComma] {
        run = [options, decimalComma] {
            JobContext ctx;
            PcbOutputs outputs = openPcbOutputs(*options);
            preparePcbJob(ctx, *options);
            ProgramStream stream(ctx.programLines, outputs.program);
            auto result = GeneratePcbOutline(ctx, *decimalComma ? ',' : '.');
            if (!result) { throw JobError(result.error()); }
            if (result->unfinishedWalks > 0) {
                std::cerr << "beamwright-cli: warning: " << result->unfinishedWalks
                          << " outline walk(s) circled without returning to their start; those contours end "
                             "there\n";
            }
            stream.finish();
            deliverPcbOutputs(outputs, ctx.pcb.outlineClassMap, true);
        };
    });
}

}  // namespace bw::cli
