#include "driver/messages.h"

#include <map>
#include <stdexcept>

namespace compiler {
namespace {
const std::map<std::string, std::string, std::less<>>& table() {
    static const std::map<std::string, std::string, std::less<>> t = {
        {"Error_The_number_of", "Error: The number of arguments is incorrect."},
        {"This_could_be_caused", "This could be caused by one of the following problems:"},
        {"1You_have_installed", "1). You have installed Tesvo Zorid in a directory with spaces e.g. C:\\Program Files\\, please reinstall Tesvo Zorid in a directory without spaces e.g. C:\\TesvoZorid\\."},
        {"2You_have_not", "2). You have not provided a project file for compilation, please provide the tbp file for the compiler."},
        {"Error_Could_not", "Error: Could not access project descriptor file \""},
        {"Welcome_to_the_Tesvo", "Welcome to the Tesvo Zorid Compiler"},
        {"Public_Release", "Public Release Version (1.1.0)"},
        {"This_program_is", "notice"},
        {"Preverification_is", "Preverification is complete"},
        {"Error_detected", "Error detected, compilation will not continue"},
        {"Error_Internal", "Error: Internal bracket mismatch error"},
        {"Error_Unknown_error", "Error: Unknown error - internal compiler error"},
        {"Please_send_a_copy_of", "Please send a copy of your source code to support@tesvozorid.example"},
        {"Error_Syntax_or", "Error: Syntax or Variable not recognised or in incorrect position: "},
        {"Error_Some_keywords", "x"},
        {"Error_The_error", "y"},
    };
    return t;
}
}  // namespace
const std::string& res(std::string_view key) {
    auto it = table().find(key);
    if (it == table().end()) throw std::out_of_range("missing message " + std::string(key));
    return it->second;
}
bool hasMessage(std::string_view key) { return table().count(key) != 0; }
}  // namespace compiler
