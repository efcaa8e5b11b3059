// vededa-cli: the analyses of Vededa without windows. Reports go to stdout as the Results window
// shows them; plots go to files.
#include "app/build_info.h"
#include "cli/commands.h"
#include "output/number_format.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    CLI::App app{"Vededa - preliminary sizing of an aircraft and its propulsion system (headless analyses)",
                 "vededa-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("vededa-cli ") + vededa::programVersion() + " (revision " +
                                          vededa::buildRevision() + ")");
    vededa::cli::registerCommands(app);
    const long nonFiniteBefore = vededa::nonFiniteOutputCount();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version end well; every refused command line ends with status 2.
        return app.exit(e) == 0 ? 0 : 2;
    }
    // A report with a figure that could not be computed is not a report: say so and fail.
    const long nonFinite = vededa::nonFiniteOutputCount() - nonFiniteBefore;
    if (nonFinite > 0) {
        std::cerr << "vededa-cli: " << nonFinite
                  << " value(s) could not be computed (a calculation failed); they are shown as "
                  << vededa::kNonFiniteText << "\n";
        if (vededa::cli::exitCode() == 0) vededa::cli::setExitCode(1);
    }
    return vededa::cli::exitCode();
}
