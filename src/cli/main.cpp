// beamwright-cli: every generator of the window, without the window.

#include <clocale>
#include <iostream>
#include <new>

#include "CliSupport.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");  // option values and output never follow the user's locale
    CLI::App app{
        "Beamwright command line: turns drawings and pictures into G-code for laser engravers.\n"
        "Numbers use a point as decimal separator. Programs go to standard output unless -o is given;\n"
        "lines end in CR LF, exactly as the window saves them.",
        "beamwright-cli"};
    app.set_version_flag("--version", "beamwright-cli " BEAMWRIGHT_VERSION);
    app.require_subcommand(1);
    bw::cli::Runner run;
    bw::cli::addPreviewCommand(app, run);
    bw::cli::addCalibrateCommand(app, run);
    bw::cli::addImageCommand(app, run);
    bw::cli::addDxfCommand(app, run);
    bw::cli::addPcbRasterCommand(app, run);
    bw::cli::addPcbOutlineCommand(app, run);
    bw::cli::addEagleUlpCommand(app, run);
    bw::cli::addEagleCommandCommand(app, run);
    bw::cli::addSimulateCommand(app, run);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help() << std::flush;
        return std::cout ? 0 : 1;  // help that could not be shown is no success either
    } catch (const CLI::CallForAllHelp&) {
        std::cout << app.help("", CLI::AppFormatMode::All) << std::flush;
        return std::cout ? 0 : 1;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << '\n' << std::flush;
        return std::cout ? 0 : 1;
    } catch (const CLI::ParseError& error) {
        std::cerr << "beamwright-cli: " << error.what() << '\n';
        return 2;
    }
    try {
        if (run) { run(); }
    } catch (const bw::cli::UsageError& error) {
        std::cerr << "beamwright-cli: " << error.what() << '\n';
        return 2;
    } catch (const bw::cli::JobError& error) {
        std::cerr << "beamwright-cli: " << error.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        // Outputs of the run were abandoned while the stack unwound.
        const auto chosen = app.get_subcommands();
        std::cerr << "beamwright-cli: not enough memory for "
                  << (chosen.empty() ? "this job" : chosen.front()->get_name()) << '\n';
        return 1;
    }
    return 0;
}
