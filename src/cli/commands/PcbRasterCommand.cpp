// beamwright-cli pcb-raster: the PCB page's "Rasterize PCB".

#include "CliSupport.h"
#include "PcbCommandOptions.h"
#include "job/JobSteps.h"
#include "pcb/PcbRaster.h"

namespace bw::cli {

void addPcbRasterCommand(CLI::App& app, Runner& run) {
    auto options = std::make_shared<PcbCommandOptions>();
    CLI::App* command =
        app.add_subcommand("pcb-raster", "Expose the copper of a PCB bitmap line by line with the beam");
    addPcbOptions(*command, *options);
    command->callback([&run, options] {
        run = [options] {
            JobContext ctx;
            PcbOutputs outputs = openPcbOutputs(*options);
            preparePcbJob(ctx, *options);
            ProgramStream stream(ctx.programLines, outputs.program);
            auto result = GeneratePcbRaster(ctx);
            if (!result) { throw JobError(result.error()); }
            stream.finish();
            deliverPcbOutputs(outputs, ctx.pcb.rasterClassMap, false);
        };
    });
}

}  // namespace bw::cli
