#include "cli/VendorModeOption.h"

#include <CLI/CLI.hpp>

#include <map>

namespace quill::cli {

std::shared_ptr<VendorMode> AddVendorModeOption(CLI::App& command) {
    auto mode = std::make_shared<VendorMode>(VendorMode::Auto);
    const std::map<std::string, VendorMode> names{
        {"on", VendorMode::On}, {"off", VendorMode::Off}, {"auto", VendorMode::Auto}};
    command
        .add_option("--vendor-mode", *mode,
                    "on: every function the header declares, each with the block right before "
                    "it; off: the plain rules; auto (default): on for a header without its .c")
        ->transform(CLI::CheckedTransformer(names));
    return mode;
}

}  // namespace quill::cli
