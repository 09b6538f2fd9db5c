#pragma once
// The editor's message table "Editor.Res": window and menu titles, tool tips and the main window's
// prompts. The dialogs keep their own texts; everything else that is shown by key comes from here.
// A key is checked when the code is built: `res("No_such_key")` does not compile.
#include <QString>
#include <cstddef>
#include <span>

#include "kit/message_table.h"

namespace editor {

namespace Res {

using Row = kit::MessageRow;

inline constexpr Row kContents[] = {
    {"Error_Printing", "Error Printing Document"},
    {"Tesvo_Zorid_source", "Tesvo Zorid source and project files"},
    {"Project", "Project"},
    {"Source", "Source"},
    {"Attempting_to_load", "\nAttempting to load Java file "},
    {"An_error_occurred", "An error occurred while saving the file."},
    {"This_platform_is_not", "This platform is not available on the Mac operating system"},
    {"Could_not_load_file", "Could not load file "},
    {"Main", "Main"},
    {"Find_Again", "Find Again"},
    {"Find", "Find"},
    {"Replace", "Replace"},
    {"Compile", "Compile"},
    {"Run", "Run"},
    {"Save_As", "Save As"},
    {"Save", "Save"},
    {"Load", "Load"},
    {"New", "New"},
    {"Cannot_write", "Cannot write configuration file, ensure that you have sufficient disk space"},
    {"Error_The",
     "Error: The configuration file was not found, please run Config.exe and restart this application\n"},
    {"Could_not_set_look", "Could not set look and feel"},
    {"You_configuration",
     "Your configuration file (Config.cfg) is incorrect, please ensure that the first line holds the "
     "location "
     "of the Java SDK"},
    {"You_configuration2",
     "Your configuration file (Config.cfg) is incorrect, please ensure that the second line holds the "
     "location of the J2ME SDK"},
    {"Redo", "Redo"},
    {"Undo", "Undo"},
    {"Rename", "Rename"},
    {"Remove", "Remove"},
    {"Add", "Add"},
    {"Welcome_to_Tesvo", "Welcome to Tesvo Zorid"},
    {"Compiler_Output", "Compiler Output"},
    {"J2ME_Build_Options", "J2ME Build Options"},
    {"Include_support_for", "Include support for the Tesvo Zorid API"},
    {"Multimedia_Support", "Multimedia Support"},
    {"Float_Support", "Float Support"},
    {"Mappy_Support", "Mappy Support"},
    {"3D_Support", "3D Support"},
    {"Tesvo_Zorid_API", "Tesvo Zorid API Support"},
    {"Code_View", "Code View"},
    {"Main_bss", "Main.bss"},
    {"Help", "Help"},
    {"Load_Template", "Load Template"},
    {"Tools", "Tools"},
    {"Platform", "Platform"},
    {"Compiler", "Compiler"},
    {"Go_To_Bookmark", "Go To Bookmark"},
    {"Search", "Search"},
    {"Set_Look", "Set Look"},
    {"Set_Bookmark", "Set Bookmark"},
    {"Edit", "Edit"},
    {"File", "File"},
    {"Save_changes_", "Save changes?"},
    {"Find_Replace", "Find / Replace"},
    {"myProject", "myProject"},
    {"Tesvo_Zorid_Editor", "Tesvo Zorid Editor"},
    {"Executing_", "Executing: "},
    {"Ok", "Ok"},
    {"Tesvo_Zorid_folder_", "Tesvo Zorid folder:"},
    {"J2ME_WTK_folder_", "J2ME/WTK folder:"},
    {"Java_bin_folder_", "Java bin folder:"},
    {"Preferences", "Preferences"},
    {"Update", "Update Tesvo Zorid"},
    {"Error_writing_the", "Error writing the Descriptor file"},
    {"About", "About Tesvo Zorid"},
    // The editor is a native program on the Qt libraries: its runtime is Qt.
    {"About_Runtime", "About Qt"},
    {"_Tesvo_Zorid_Editor_1", ")\n    Tesvo Zorid Editor 1.1.0 ("},
    {"_Tesvo_Zorid_Build_1", ")\n    Tesvo Zorid Build 1.1.0 ("},
    {"Tesvo_Zorid_Version_1", "Tesvo Zorid Version 1.1.0\n    Tesvo Zorid Compiler 1.1.0 ("},
    {"This_operation_will",
     "This operation will overwrite all of your code in your main file. Are you sure you wish to proceed?"},
    {"J2ME", "J2ME"},
    {"Tesvo_Zorid", "Tesvo Zorid"},
    {"Convert_Source_To", "Convert Source To J2ME"},
    {"Format", "Format"},
    {"3D_Convertor", "3D Convertor"},
    {"Project_Properties", "Project Properties"},
    {"Web_Applet", "Web Applet"},
    {"Microsoft_Windows", "Microsoft Windows"},
    {"Pocket_PC_Based", "Pocket PC Based Devices"},
    {"J2ME_Based_Devices", "J2ME Based Devices"},
    {"Execute", "Execute"},
    {"Go_To_Bookmark_5", "Go To Bookmark 5"},
    {"Go_To_Bookmark_4", "Go To Bookmark 4"},
    {"Go_To_Bookmark_3", "Go To Bookmark 3"},
    {"Go_To_Bookmark_2", "Go To Bookmark 2"},
    {"Go_To_Bookmark_1", "Go To Bookmark 1"},
    {"Please_enter_the_line", "Please enter the line number"},
    {"Go_To_Line_", "Go To Line #"},
    {"Please_restart_the", "Please restart the application for your changes to take effect\n"},
    {"Default", "Default"},
    {"Office_2003", "Office 2003"},
    {"XP", "XP"},
    {"Office_XP", "Office XP"},
    {"Set_Bookmark_5", "Set Bookmark 5"},
    {"Set_Bookmark_4", "Set Bookmark 4"},
    {"Set_Bookmark_3", "Set Bookmark 3"},
    {"Set_Bookmark_2", "Set Bookmark 2"},
    {"Set_Bookmark_1", "Set Bookmark 1"},
    {"Select_All", "Select All"},
    {"Paste", "Paste"},
    {"Copy", "Copy"},
    {"Cut", "Cut"},
    {"Are_you_sure_you_wish", "Are you sure you wish to quit?"},
    {"Exit", "Exit"},
    {"Print", "Print"},
    {"Save_Source_As", "Save Source As"},
    {"Open", "Open"},
    {"Error_Could_not", "Error: Could not access project descriptor file"},
    {"My_Company", "My Company"},
    {"Company_Name_", "Company Name:"},
    {"My_Project", "My Project"},
    {"Project_Name_", "Project Name:"},
    {"Cancel", "Cancel"},
    {"FTP Tool", "FTP Tool"},
    {"J2ME_Settings", "J2ME Settings"},
    {"Type_Creator", "J2ME Type Creator"},
    {"Changed_by_another",
     " was changed by another program since the editor read or wrote it. Reload it into its tab (Undo brings "
     "the tab's text back), write the tab's text over it, or cancel?"},
    {"Reload", "Reload"},
    {"Write_over", "Write Over It"},
    {"Latin1_cannot_hold",
     "Latin-1, the encoding the tab's file was read in, cannot hold every character the tab holds now. Write "
     "it in UTF-8: "},
};

// Each key names one text: a second row of a key would never be shown.
static_assert(kit::keysAreUnique(kContents), "a key of Editor.Res stands in two rows");

// A key of the table, checked when the code is built: a key the table lacks does not compile.
using Key = kit::MessageKey<kContents>;

// The whole table, in table order.
std::span<const Row> getContents();
// The text of row `index` of the table.
QString text(std::size_t index);

}  // namespace Res

// The text for `key`.
inline QString res(Res::Key key) {
    return Res::text(key.index());
}

}  // namespace editor
