// File > "&Import Table..." and "Export &Table...": one record table of the open database (PTT ID
// aliases, speed pages, custom paging tones) from or to a CSV file, through the same import and
// export as trvctl's --table. The user chooses the table, then the file.
#pragma once

namespace trv::app {

class CMainFrame;

// An import replaces the table in the database image, marks the database modified and refreshes
// the tree; a refused file changes nothing and says why. The caller makes sure that a database is
// open and no editor window is.
void runTableCommand(CMainFrame& frame, bool import);

} // namespace trv::app
