// Texts that belong to the application as a whole.
#pragma once

#include <QLatin1StringView>

namespace trv::text {

using namespace Qt::StringLiterals;

inline constexpr QLatin1StringView kAppTitle =
    "Korvel TRV"_L1; // caption of every message box and the main window
} // namespace trv::text
