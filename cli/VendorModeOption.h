#pragma once
// --vendor-mode on|off|auto, for every subcommand that reads a library.

#include <memory>
#include <string>

#include "core/docs/VendorMode.h"

namespace CLI {
class App;
}

namespace quill::cli {

// Adds the option to `command`; the choice lands in the returned value
// (Auto unless given).
std::shared_ptr<VendorMode> AddVendorModeOption(CLI::App& command);

}  // namespace quill::cli
