// The program's commands: one row each, in menu order.
#pragma once

#include "CommandDef.h"

#include <vector>

const std::vector<SCommandDef>& MainCommands();
