// quill-cli serve: the language server on standard input and output, over
// the catalogue Quill itself reads.

#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "core/settings/SettingsLocation.h"
#include "lsp/MessageReader.h"
#include "lsp/MessageWriter.h"
#include "lsp/Server.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace quill::cli {

namespace {

namespace fs = std::filesystem;

struct ServeOptions {
    std::string settingsFile;
};

// This program's own path, "" when it cannot be told.
fs::path ProgramPath() {
#ifdef _WIN32
    return {};
#else
    std::error_code error;
    const fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : path;
#endif
}

// Quill's program folder: beside quill-cli in a build folder, in
// libexec/quill once installed.
std::string QuillProgramFolder(const fs::path& program) {
    const fs::path folder = program.parent_path();
    std::error_code error;
    for (const fs::path& candidate : {folder, folder.parent_path() / "libexec" / "quill"}) {
        for (const char* name : {"Quill", "Quill.exe"}) {
            if (fs::exists(candidate / name, error)) {
                // A packaged /usr/bin/Quill is a link: Quill keeps its settings
                // beside the program the link leads to.
                const fs::path real = fs::canonical(candidate / name, error);
                return (error ? candidate : real.parent_path()).string() + "/";
            }
        }
    }
    return folder.empty() ? std::string() : folder.string() + "/";
}

// The configuration folder the desktop keeps Quill's settings in.
std::string ConfigFolder() {
#ifdef _WIN32
    const char* base = std::getenv("LOCALAPPDATA");
    return base && *base ? std::string(base) + "\\Quill\\" : std::string();
#else
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') {
        return std::string(xdg) + "/Quill/";
    }
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.config/Quill/" : std::string();
#endif
}

// The settings file Quill reads, chosen as Quill chooses it, without making
// anything: where the configuration folder has no file yet, the one in the
// program folder (which Quill would copy there) is read.
std::string QuillSettingsFile() {
    const fs::path program = ProgramPath();
    if (program.empty()) {
        return {};
    }
    const SettingsFolderFacts facts =
        GatherSettingsFolderFacts(QuillProgramFolder(program), ConfigFolder());
    const std::string chosen = ChooseSettingsFolder(facts) + "Quill.ini";
    std::error_code error;
    if (!fs::exists(chosen, error) && facts.fileExistsInProgramFolder) {
        return facts.programFolder + "Quill.ini";
    }
    return chosen;
}

int RunServe(const ServeOptions& options) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    lsp::ServerOptions serverOptions;
    serverOptions.settingsFile =
        options.settingsFile.empty() ? QuillSettingsFile() : options.settingsFile;
    lsp::MessageReader reader(0);
    lsp::MessageWriter writer = lsp::MessageWriter::ToDescriptor(1);
    return lsp::RunServer(reader, writer, serverOptions);
}

}  // namespace

void AddServeCommand(CLI::App& app, CliOutput& /*output*/, int& status) {
    auto options = std::make_shared<ServeOptions>();
    CLI::App* command = app.add_subcommand(
        "serve",
        "Run a language server (LSP) for C and C++ files on standard input and output: the "
        "legal values of a catalogued function's parameter as completions at its argument, "
        "call snippets, signature help, hover with the documentation block, and warnings for "
        "values outside the documented ones. The catalogue is the libraries of Quill's "
        "settings file, unless the client's initializationOptions name a \"settingsFile\" or "
        "\"libraries\". Each library is read in the vendor mode Quill reads it in: the one "
        "stored for it in that settings file, else the automatic one.");
    command->add_option("--settings", options->settingsFile,
                        "the settings file to take the libraries from instead of Quill's");
    command->callback([options, &status] { status = RunServe(*options); });
}

}  // namespace quill::cli
