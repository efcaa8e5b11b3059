#include "cli/commands.h"

namespace vededa::cli {

void registerProjectCommands(CLI::App& app);
void registerEngineCommands(CLI::App& app);

void registerCommands(CLI::App& app) {
    registerProjectCommands(app);
    registerEngineCommands(app);
}

} // namespace vededa::cli
