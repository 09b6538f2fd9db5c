#include "messages.h"

#include <stdexcept>
#include <unordered_map>

namespace build {

const std::vector<std::pair<std::string, std::string>>& resTable() {
    static const std::vector<std::pair<std::string, std::string>> table = {
        {"_HEAD_Title_Tesvo", "<HEAD><Title>Tesvo Zorid Applet</Title></HEAD>"},
        {"Error_Unknown_error", "Error: Unknown error"},
        {"Error_Cannot_write", "Error: Cannot write required compilation files"},
        {"Executing_Emulator", "Executing Emulator"},
        {"Program_compiled", "Program compiled"},
        {"Compiling", "Compiling"},
        {"echo_Adding_mappy", "echo Adding mappy files"},
        {"echo_Adding_Sound", "echo Adding Sound files"},
        {"echo_Adding_Image", "echo Adding Image files"},
        {"Determing_Compilation", "Determing Compilation & Build Tasks"},
        {"Copying_Support_Files", "Copying Support Files"},
        {"Preparing_Directories", "Preparing Directories"},
        {"Executing_Application", "Executing Application"},
        {"Executing_Finished", "Execution Finished"},
        {"Error_The_number_of",
         "Error: The number of arguments is incorrect, please ensure that you have provided the descriptor "
         "file"},
        {"Build_Error_Unknown", "Build Error: Unknown platform"},
        {"This_program_is", "This program comes with ABSOLUTELY NO WARRANTY; use it at your own risk."},
        {"Public_Release", "Public Release Version (1.1.0)"},
        {"Welcome_to_the_Tesvo", "Welcome to the Tesvo Zorid Build Utility"},
        {"Error_writing_the", "Error writing the Manifest file"},
        {"Writing_Manifest_File", "Writing Manifest File"},
        {"Error_Could_not_copy", "Error: Could not copy required support files"},
        {"Error_Could_not", "Error: Could not access project descriptor file \""},
        {"Error_writing_the_JAD", "Error writing the JAD file"},
        {"Writing_JAD_File", "Writing JAD File"},
        {"FileCopy_Could_not", "FileCopy: Could not open source file"},
    };
    return table;
}

const std::string& res(std::string_view key) {
    static const std::unordered_map<std::string_view, const std::string*> index = [] {
        std::unordered_map<std::string_view, const std::string*> map;
        for (const auto& [k, text] : resTable()) map.emplace(k, &text);
        return map;
    }();
    auto found = index.find(key);
    if (found == index.end()) throw std::out_of_range("Build.Res has no key " + std::string(key));
    return *found->second;
}

}  // namespace build
