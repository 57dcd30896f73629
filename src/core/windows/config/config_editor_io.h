#pragma once

#include "params/parameter_set.h"
#include "params/set_list.h"

#include <filesystem>
#include <string>

namespace teb {

// What the main window hands the "Config" dialog when its "Config" command runs.
// The dialog loads the named set from its file; of the values below only the
// carrier ID and the counter value outlast that load (the file's own two are
// not read at opening), the others are overwritten by the file.
struct ConfigEditorInput {
    std::filesystem::path workingDirectory;
    std::string currentSetName;
    SetList setList;
    std::string carrierId;     // the main window's next carrier ID
    std::string counterValue;
    std::string counterPage;
    std::string alignment;
    bool useCsvFile = false;
    std::string csvFileName;
    bool logEnabled = false;
    std::string recordFileName;
    bool asciiFormat = false;  // the main window's page text format
};

// What the "Config" dialog hands back. Only an accepted result ("OK") carries
// anything the main window takes over; after "Cancel" it keeps its own set and
// set list (files written by "Save" stay on disk all the same).
struct ConfigEditorResult {
    bool accepted = false;     // left with "OK"
    bool saved = false;        // a "Save" wrote its file while the dialog was open
    bool savePressed = false;  // "Save" was pressed, whatever came of it
    bool asciiFormat = false;  // the format flag, as the pages 3-17 editor left it
    std::string currentSetName;
    SetList setList;
    // The edited set, field by field; set.carrierId is the editor's carrier ID,
    // which also becomes the main window's next carrier ID.
    ParameterSet set;

    bool operator==(const ConfigEditorResult &) const = default;
};

} // namespace teb
