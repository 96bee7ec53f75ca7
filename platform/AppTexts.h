// Texts that belong to the application as a whole.
#pragma once

namespace trv::text {
inline constexpr const char* kAppTitle = "Korvel TRV"; // caption of every message box and the main window
} // namespace trv::text
