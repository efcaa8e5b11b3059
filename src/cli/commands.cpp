#include "cli/commands.h"

namespace vededa::cli {

void registerProjectCommands(CLI::App& app);
void registerConstraintCommands(CLI::App& app);
void registerMissionCommands(CLI::App& app);
void registerEngineCommands(CLI::App& app);
void registerSizingCommands(CLI::App& app);

void registerCommands(CLI::App& app) {
    registerProjectCommands(app);
    registerConstraintCommands(app);
    registerMissionCommands(app);
    registerEngineCommands(app);
    registerSizingCommands(app);
}

} // namespace vededa::cli
