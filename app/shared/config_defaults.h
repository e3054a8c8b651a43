// The contents the configuration files get when they are missing, line by line in file order.
#pragma once
#include <string>
#include <vector>

namespace app {

// "config\program.ini": the [Skin], [Remove] and [DF] sections with empty removal settings.
const std::vector<std::string>& DefaultProgramIniLines();
// "config\ext.ini": the 49 junk-file masks, "mask=description=true|false".
const std::vector<std::string>& DefaultExtIniLines();
// "config\dfext.ini": the duplicate finder's eight groups of extension masks.
const std::vector<std::string>& DefaultDupFinderExtIniLines();
// The nine stores of disabled registry startup entries under "config\Disabled Registry\":
// "all" (machine) or "curr" (user) and the run key's name; the user has no RunServicesOnce.
const std::vector<std::string>& DisabledRegistryFileNames();

}  // namespace app
