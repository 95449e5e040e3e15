#pragma once
// Saving the settings file while another process may hold it locked: the user
// is asked to try again or to keep the values in the program for now.

#include <functional>
#include <string>

class QWidget;

namespace tarsel {

class UiServices;
class WarningSink;

enum class LockedSave {
    Done,     // saved, or failed for another reason (save reported it)
    Cancelled // the file stayed locked and the user chose to keep the values
};

// Runs save, one locked update of the settings file at path that reports its
// own failures through report(error). While another process holds the file
// (the save failed with LockHeldText), asks Retry or Cancel, naming the file.
LockedSave saveUnlessLocked(UiServices& services, QWidget* owner, const std::string& path,
                            const std::function<std::string()>& save,
                            const std::function<void(const std::string&)>& report);

// The same for a save that reports through a WarningSink (SaveSettings):
// its warnings are shown as boxes (only the first when firstOnly) unless the
// file stays locked and the user cancels.
LockedSave saveSettingsUnlessLocked(UiServices& services, QWidget* owner, const std::string& path,
                                    const std::function<void(WarningSink&)>& save, bool firstOnly);

} // namespace tarsel
