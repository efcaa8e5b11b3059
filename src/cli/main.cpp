// vededa-cli: the analyses of Vededa without windows. Reports go to stdout as the Results window
// shows them; plots go to files.
#include "app/build_info.h"
#include "cli/commands.h"

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
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    return vededa::cli::exitCode();
}
